#pragma once
#include "core/system/HttpClient.h"

namespace kiro::sim {

// A machine without a network: every transfer fails at once. The demo and the window's tests
// run their update check against it.
class OfflineHttpClient final : public HttpClient {
  public:
    HttpResult Get(const HttpRequest&, const std::function<bool(std::span<const uint8_t>)>&) override {
        ++requests;
        return {HttpOutcome::Failed, "no network"};
    }
    int requests = 0;
};

}  // namespace kiro::sim
