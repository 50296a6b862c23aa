#pragma once
#include "core/system/HttpClient.h"

namespace kiro::linux_platform {

// HTTP and HTTPS with libcurl, proxies as the environment names them (http_proxy, https_proxy,
// no_proxy). Each Get runs on its own easy handle, so several threads may share one client.
//
// Make the client before any thread uses it, and end those threads before it goes: libcurl's
// process-wide set-up and tear-down, done here, may not run beside a transfer.
class CurlHttpClient final : public HttpClient {
  public:
    CurlHttpClient();
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    // Only a 2xx answer counts as the resource: the body of any other answer (an error page, a
    // redirect that could not be followed) never reaches `receive`, and the result is Failed.
    HttpResult Get(const HttpRequest& request,
                   const std::function<bool(std::span<const uint8_t>)>& receive) override;

  private:
    bool ready_ = false;
};

}  // namespace kiro::linux_platform
