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
