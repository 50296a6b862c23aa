#include "platform/linux/LinuxFileAttributes.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>

#include <cstdint>

#include "FakeSystemCalls.h"

namespace kiro::linux_platform {
namespace {

TEST(LinuxFileAttributesTest, AddsHiddenToTheAttributesAFatFileHas) {
    test::FakeSystemCalls calls;
    calls.openable["/media/watch/USBWATCH.DAT"] = 5;
    uint32_t written = 0;
    calls.onIoctl = [&](int, unsigned long request, void* argument) {
        auto* attributes = static_cast<uint32_t*>(argument);
        if (request == FAT_IOCTL_GET_ATTRIBUTES) *attributes = ATTR_ARCH;
        if (request == FAT_IOCTL_SET_ATTRIBUTES) written = *attributes;
        return 0;
    };
    LinuxFileAttributes attributes(calls);
    EXPECT_TRUE(attributes.SetHidden("/media/watch/USBWATCH.DAT"));
    EXPECT_EQ(written, static_cast<uint32_t>(ATTR_ARCH | ATTR_HIDDEN));
    EXPECT_EQ(calls.closed, std::vector<int>{5});
}

TEST(LinuxFileAttributesTest, OtherFileSystemsAndMissingFilesHaveNoHiddenAttribute) {
    test::FakeSystemCalls calls;
    calls.openable["/home/ann/USBWATCH.DAT"] = 5;
    calls.onIoctl = [](int, unsigned long, void*) { return -ENOTTY; };
    LinuxFileAttributes attributes(calls);
    EXPECT_FALSE(attributes.SetHidden("/home/ann/USBWATCH.DAT"));
    EXPECT_EQ(calls.ioctlRequests.size(), 1u) << "nothing is written without reading first";
    EXPECT_EQ(calls.closed, std::vector<int>{5});
    EXPECT_FALSE(attributes.SetHidden("/nowhere/USBWATCH.DAT"));
}

}  // namespace
}  // namespace kiro::linux_platform
