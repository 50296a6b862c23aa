#include "platform/linux/BlockDevices.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace kiro::linux_platform {
namespace {

TEST(BlockDevicesTest, OnlyTheKernelsRemovableMarkMakesADiskRemovable) {
    EXPECT_TRUE(CountsAsRemovable("1"));
    EXPECT_FALSE(CountsAsRemovable("0")) << "an external USB hard disk is a fixed disk";
    EXPECT_FALSE(CountsAsRemovable("")) << "no mark at all";
}

TEST(BlockDevicesTest, AnAttachmentIsNamedByTheBootAndItsNumbers) {
    EXPECT_EQ(AttachmentName("b00t", "17", "1-4"), "boot b00t disk 17 usb 1-4");
    EXPECT_EQ(AttachmentName("b00t", "", "1-4"), "boot b00t disk  usb 1-4") << "a kernel without diskseq";
    EXPECT_EQ(AttachmentName("b00t", "17", "-"), "boot b00t disk 17 usb ") << "a disk on no USB bus";
    EXPECT_EQ(AttachmentName("b00t", "", "-"), "") << "nothing tells one attachment from the next";
    EXPECT_NE(AttachmentName("b00t", "17", "1-4"), AttachmentName("b00t", "18", "1-4"));
    EXPECT_NE(AttachmentName("b00t", "17", "1-4"), AttachmentName("rebooted", "17", "1-4"));
}

TEST(BlockDevicesTest, GenericNodeFromSysfs) {
    kiro::test::TempFolder sys;
    std::filesystem::create_directories(sys.File("block/sdb/device/scsi_generic/sg2"));
    std::filesystem::create_directories(sys.File("block/sda/device"));
    EXPECT_EQ(ScsiGenericNodeOf(sys.File("block/sdb")), "/dev/sg2");
    EXPECT_EQ(ScsiGenericNodeOf(sys.File("block/sda")), "");
    EXPECT_EQ(ScsiGenericNodeOf(sys.File("block/none")), "");
}

}  // namespace
}  // namespace kiro::linux_platform
