#include "platform/linux/BlockDevices.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace kiro::linux_platform {
namespace {

TEST(BlockDevicesTest, WhatCountsAsRemovable) {
    const std::string usbPath =
        "/sys/devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
    const std::string sataPath =
        "/sys/devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda";
    EXPECT_TRUE(CountsAsRemovable("usb", sataPath, "0")) << "udev says USB, many sticks say removable 0";
    EXPECT_TRUE(CountsAsRemovable("", usbPath, "0")) << "no udev record: the path tells";
    EXPECT_TRUE(CountsAsRemovable("", sataPath, "1")) << "a card reader on an internal bus";
    EXPECT_FALSE(CountsAsRemovable("ata", sataPath, "0"));
    EXPECT_FALSE(CountsAsRemovable("", "/sys/devices/virtual/block/loop0", "0"));
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
