#pragma once
#include <memory>
#include <mutex>
#include <string>

#include "core/system/HttpClient.h"
#include "platform/linux/CurlLibrary.h"

namespace kiro::linux_platform {

// HTTP and HTTPS with libcurl, proxies as the environment names them (http_proxy, https_proxy,
// no_proxy). Each Get runs on its own easy handle, so several threads may share one client.
//
// libcurl is opened by the first request, not at start. End the threads that use the client
// before it goes: libcurl's process-wide tear-down, done here, may not run beside a transfer.
class CurlHttpClient final : public HttpClient {
  public:
    // `caFile`: certificates to trust for https in place of the system's (a test's own); empty for
    // the system's.
    explicit CurlHttpClient(std::string caFile = {});
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;

    // Only a 2xx answer counts as the resource: the body of any other answer (an error page, a
    // redirect that could not be followed) never reaches `receive`, and the result is Failed.
    HttpResult Get(const HttpRequest& request,
                   const std::function<bool(std::span<const uint8_t>)>& receive) override;

  private:
    void OpenLibrary();

    std::once_flag openOnce_;
    std::unique_ptr<CurlLibrary> curl_;
    bool ready_ = false;
    std::string openError_;
    const std::string caFile_;
};

}  // namespace kiro::linux_platform
