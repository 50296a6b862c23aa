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

}  // namespace
}  // namespace kiro::linux_platform
