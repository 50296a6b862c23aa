#pragma once
#include "core/system/HttpClient.h"

namespace kiro::win32_platform {

// HTTP and HTTPS with WinINet, through the proxy the system's Internet settings name. Each Get
// runs on a WinINet session of its own, so several threads may share one client.
class WinInetHttpClient final : public HttpClient {
  public:
    // Only a 2xx answer counts as the resource: the body of any other answer (an error page, a
    // redirect that could not be followed) never reaches `receive`, and the result is Failed.
    // A body that ends before the length its answer announced is Failed too.
    //
    // WinINet's calls block, and a call cannot be ended from outside under every WinINet, so
    // they run on a reading thread of the transfer's own while the caller takes the pieces, asks
    // `request.cancelled` and calls `receive`. When the transfer is stopped the caller returns
    // at once; the reading thread ends by itself once its waiting call returns (at most the time
    // limit of a minute), closing its handles.
    HttpResult Get(const HttpRequest& request,
                   const std::function<bool(std::span<const uint8_t>)>& receive) override;
};

}  // namespace kiro::win32_platform
