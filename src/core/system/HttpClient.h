#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// Whether the address starts with the scheme (lower-case, with its "://"), in any letter case.
inline bool HasScheme(std::string_view url, std::string_view scheme) {
    if (url.size() < scheme.size()) return false;
    for (size_t at = 0; at < scheme.size(); ++at) {
        const char c = url[at];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != scheme[at]) return false;
    }
    return true;
}

// Only http and https addresses are fetched (the scheme in any letter case): an address from
// the settings file may name anything, and no client guesses a scheme for one without.
inline bool IsWebAddress(std::string_view url) {
    return HasScheme(url, "http://") || HasScheme(url, "https://");
}

// Whether a redirect from one address may be followed to another: only to the web, and from
// https only to https, which would otherwise hand the transfer to anyone on the path.
inline bool MayRedirect(std::string_view from, std::string_view to) {
    return HasScheme(from, "https://") ? HasScheme(to, "https://") : IsWebAddress(to);
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
// `receive` piece by piece as it arrives; `receive` returns false to stop. Redirects are followed
// only where MayRedirect allows. One client may serve several threads, one transfer each.
class HttpClient {
  public:
    virtual ~HttpClient() = default;
    virtual HttpResult Get(const HttpRequest& request,
                           const std::function<bool(std::span<const uint8_t>)>& receive) = 0;
};

}  // namespace kiro
