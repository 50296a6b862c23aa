#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kiro {

struct HttpRequest {
    std::string url;
    std::string userAgent;
    // Extra request header lines, "Name: value".
    std::vector<std::string> headers;
    // Asked now and then while the transfer runs (also while it waits for data): true ends it.
    std::function<bool()> cancelled;
};

enum class HttpOutcome {
    Complete,  // the whole body was received
    Stopped,   // the receiver or the cancel question ended it
    Failed,    // no connection, an error status (400 and above), or the connection broke
};

struct HttpResult {
    HttpOutcome outcome = HttpOutcome::Failed;
    std::string error;  // what went wrong, for people
};

// Gets a resource over HTTP (or HTTPS) with the system's proxy settings, handing the body to
// `receive` piece by piece as it arrives; `receive` returns false to stop. One client may serve
// several threads, one transfer each.
class HttpClient {
  public:
    virtual ~HttpClient() = default;
    virtual HttpResult Get(const HttpRequest& request,
                           const std::function<bool(std::span<const uint8_t>)>& receive) = 0;
};

}  // namespace kiro
