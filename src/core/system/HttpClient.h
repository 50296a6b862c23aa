#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// Only http and https addresses are fetched (the scheme in any letter case): an address from
// the settings file may name anything, and no client guesses a scheme for one without.
inline bool IsWebAddress(std::string_view url) {
    const auto startsWith = [url](std::string_view scheme) {
        if (url.size() < scheme.size()) return false;
        for (size_t at = 0; at < scheme.size(); ++at) {
            const char c = url[at];
            if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != scheme[at]) return false;
        }
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}
inline constexpr const char* kNotAWebAddress = "only http and https addresses are fetched";

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
