#pragma once
#include <curl/curl.h>

#include <memory>
#include <span>
#include <string>

namespace kiro::linux_platform {

// libcurl opened at run time rather than linked: the library and the thirty others it brings
// (TLS, IDN, LDAP, SSH, ...) cost a program that may never check for an update tens of
// milliseconds and megabytes at every start. The functions keep libcurl's own names and types.
// The OpenSSL build first, as Debian's libcurl4 installs it, then the GnuTLS one.
inline constexpr const char* kCurlLibraryNames[] = {"libcurl.so.4", "libcurl-gnutls.so.4"};

class CurlLibrary {
  public:
    // Opens the first of `names` that loads and finds every function used; nothing, with the
    // reason in `error`, when none loads or the one that does lacks a function.
    static std::unique_ptr<CurlLibrary> Open(std::string& error,
                                             std::span<const char* const> names = kCurlLibraryNames);
    ~CurlLibrary();
    CurlLibrary(const CurlLibrary&) = delete;
    CurlLibrary& operator=(const CurlLibrary&) = delete;

    decltype(&::curl_global_init) global_init = nullptr;
    decltype(&::curl_global_cleanup) global_cleanup = nullptr;
    decltype(&::curl_easy_init) easy_init = nullptr;
    decltype(&::curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&::curl_easy_setopt) easy_setopt = nullptr;
    decltype(&::curl_easy_perform) easy_perform = nullptr;
    decltype(&::curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&::curl_easy_strerror) easy_strerror = nullptr;
    decltype(&::curl_slist_append) slist_append = nullptr;
    decltype(&::curl_slist_free_all) slist_free_all = nullptr;

  private:
    explicit CurlLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace kiro::linux_platform
