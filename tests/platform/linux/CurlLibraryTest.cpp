#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/linux/CurlLibrary.h"

namespace kiro::linux_platform {
namespace {

TEST(CurlLibraryTest, AMissingOrForeignLibraryIsReportedNotCalled) {
    std::string error;
    const char* const missing[] = {"libcurl-that-is-not-there.so.9"};
    EXPECT_EQ(CurlLibrary::Open(error, missing), nullptr);
    EXPECT_NE(error.find("libcurl could not be loaded (libcurl-that-is-not-there.so.9"), std::string::npos)
        << error;

    const char* const foreign[] = {"libcurl-that-is-not-there.so.9", "libc.so.6"};
    error.clear();
    EXPECT_EQ(CurlLibrary::Open(error, foreign), nullptr);
    EXPECT_EQ(error, "libcurl lacks curl_global_init");

    error.clear();
    EXPECT_NE(CurlLibrary::Open(error), nullptr) << error;
}

TEST(CurlLibraryTest, TheLibraryStaysLoadedOnceItsHandleIsClosed) {
    std::string error;
    const char* const name[] = {kCurlLibraryNames[0]};
    ASSERT_NE(CurlLibrary::Open(error, name), nullptr) << error;
    // Unloaded, its exit handlers and thread-local data would point at code that is gone.
    void* const stillThere = dlopen(kCurlLibraryNames[0], RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(stillThere, nullptr);
    if (stillThere != nullptr) dlclose(stillThere);
}

}  // namespace
}  // namespace kiro::linux_platform
