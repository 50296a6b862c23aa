#include "platform/linux/CurlLibrary.h"

#include <dlfcn.h>

namespace kiro::linux_platform {
namespace {

template <typename Function>
bool Find(void* handle, const char* name, Function& function, std::string& missing) {
    // POSIX guarantees that a function's address survives the round trip through void*.
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (function == nullptr && missing.empty()) missing = name;
    return function != nullptr;
}

}  // namespace

std::unique_ptr<CurlLibrary> CurlLibrary::Open(std::string& error, std::span<const char* const> names) {
    void* handle = nullptr;
    for (const char* name : names) {
        // Closing the handle never unloads it: libcurl and the libraries it brings in (TLS,
        // HTTP/2, name lookup) keep thread-local data and exit handlers that must not outlive
        // their code, and a second client would load it all again anyway.
        handle = dlopen(name, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        if (handle != nullptr) break;
    }
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = std::string("libcurl could not be loaded (") + (reason ? reason : "not found") + ")";
        return nullptr;
    }
    std::unique_ptr<CurlLibrary> library(new CurlLibrary(handle));
    std::string missing;
    Find(handle, "curl_global_init", library->global_init, missing);
    Find(handle, "curl_global_cleanup", library->global_cleanup, missing);
    Find(handle, "curl_easy_init", library->easy_init, missing);
    Find(handle, "curl_easy_cleanup", library->easy_cleanup, missing);
    Find(handle, "curl_easy_setopt", library->easy_setopt, missing);
    Find(handle, "curl_easy_perform", library->easy_perform, missing);
    Find(handle, "curl_easy_getinfo", library->easy_getinfo, missing);
    Find(handle, "curl_easy_strerror", library->easy_strerror, missing);
    Find(handle, "curl_slist_append", library->slist_append, missing);
    Find(handle, "curl_slist_free_all", library->slist_free_all, missing);
    if (!missing.empty()) {
        error = "libcurl lacks " + missing;
        return nullptr;
    }
    return library;
}

CurlLibrary::~CurlLibrary() {
    dlclose(handle_);
}

}  // namespace kiro::linux_platform
