#include "platform/linux/MountInfo.h"

#include <gtest/gtest.h>

namespace kiro::linux_platform {
namespace {

TEST(MountInfoTest, ParsesFieldsAroundTheOptionalOnes) {
    const auto entries = ParseMountInfo(
        "22 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw\n"
        "97 22 8:17 / /media/ann/X5\\040WATCH rw,nosuid shared:50 master:3 - vfat /dev/sdb1 rw,uid=1000\n"
        "98 22 0:45 / /run/user/1000 rw - tmpfs tmpfs rw\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].mountId, 22);
    EXPECT_EQ(entries[0].device, (DeviceNumber{259, 2}));
    EXPECT_EQ(entries[0].fsType, "ext4");
    EXPECT_EQ(entries[1].mountPoint, "/media/ann/X5 WATCH");
    EXPECT_EQ(entries[1].source, "/dev/sdb1");
    EXPECT_EQ(entries[1].fsType, "vfat");
    EXPECT_EQ(entries[1].device, (DeviceNumber{8, 17}));
    EXPECT_EQ(entries[2].root, "/");
    EXPECT_EQ(entries[2].device.major, 0u);
}

TEST(MountInfoTest, UnescapesBlankTabNewlineAndBackslash) {
    EXPECT_EQ(UnescapeMountField("/media/a\\040b\\011c\\012d\\134e"), "/media/a b\tc\nd\\e");
    EXPECT_EQ(UnescapeMountField("/trailing\\04"), "/trailing\\04");
    EXPECT_EQ(UnescapeMountField("/not\\9octal"), "/not\\9octal");
}

TEST(MountInfoTest, SkipsLinesWithoutTheFieldsOfAMount) {
    const auto entries = ParseMountInfo(
        "garbage\n"
        "30 1 8:1 / /mnt rw shared:2\n"             // no separator
        "x 1 8:1 / /mnt rw - vfat /dev/sda1 rw\n"   // no id
        "31 1 8-1 / /mnt rw - vfat /dev/sda1 rw\n"  // no major:minor
        "\n"
        "32 1 8:1 /sub /mnt/bind rw - vfat /dev/sda1 rw");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].mountId, 32);
    EXPECT_EQ(entries[0].root, "/sub");
}

}  // namespace
}  // namespace kiro::linux_platform
