#include "platform/linux/LinuxVolumes.h"

#include <gtest/gtest.h>

#include "FakeBlockDevices.h"
#include "support/TempFolder.h"

namespace kiro::linux_platform {
namespace {

MountEntry Mount(int id, unsigned minor, const std::string& point, const std::string& root = "/") {
    return {id, {8, minor}, root, point, "vfat", "/dev/sdx1"};
}

class LinuxVolumesTest : public ::testing::Test {
  protected:
    LinuxVolumesTest() {
        devices_.AddDisk(0, false);  // the system disk
        for (int i = 1; i <= 4; ++i) devices_.AddDisk(i, true);
    }
    test::FakeBlockDevices devices_;
    LinuxVolumes volumes_{devices_, "/nonexistent/mountinfo"};
};

TEST_F(LinuxVolumesTest, RemovableVolumesGetTheLowestFreeLetterFromDAndKeepIt) {
    const MountEntry system = Mount(20, 1, "/");
    const MountEntry stick = Mount(31, 17, "/media/stick"), watch = Mount(32, 33, "/media/watch");
    VolumeChanges changes = volumes_.Refresh({system, stick, watch});
    EXPECT_EQ(changes.arrived, LetterBit('D') | LetterBit('E'));
    EXPECT_EQ(volumes_.RootOf('E'), "/media/watch");
    EXPECT_EQ(volumes_.TypeOf('D'), DriveType::Removable);
    EXPECT_EQ(volumes_.TypeOf('C'), DriveType::NoRootDir) << "the system disk gets no letter";

    changes = volumes_.Refresh({system, watch});
    EXPECT_EQ(changes.removed, LetterBit('D'));
    EXPECT_EQ(changes.arrived, 0u);
    EXPECT_EQ(volumes_.RootOf('E'), "/media/watch") << "a letter stays while its volume is mounted";

    const MountEntry card = Mount(40, 49, "/media/card");
    changes = volumes_.Refresh({system, watch, card});
    EXPECT_EQ(changes.arrived, LetterBit('D'));
    EXPECT_EQ(volumes_.LogicalDrives(), LetterBit('D') | LetterBit('E'));
    EXPECT_EQ(volumes_.VolumeOf('D')->device, (DeviceNumber{8, 49}));

    changes = volumes_.Refresh({system, watch, card});
    EXPECT_EQ(changes.arrived | changes.removed, 0u);
    EXPECT_FALSE(changes.mountsChanged);
}

TEST_F(LinuxVolumesTest, RemountIsANewVolumeAndBindMountsGetNoLetter) {
    volumes_.Refresh({Mount(31, 17, "/media/stick")});
    // Unmounted and mounted again elsewhere between two looks: removal and arrival of D.
    VolumeChanges changes = volumes_.Refresh({Mount(35, 17, "/media/stick1")});
    EXPECT_EQ(changes.removed, LetterBit('D'));
    EXPECT_EQ(changes.arrived, LetterBit('D'));
    // A second mount of the same volume, and a bind mount of a folder inside another removable
    // disk's volume that is mounted nowhere else.
    changes = volumes_.Refresh(
        {Mount(35, 17, "/media/stick1"), Mount(36, 17, "/srv/again"), Mount(37, 33, "/srv/photos", "/DCIM")});
    EXPECT_EQ(changes.arrived, 0u);
    EXPECT_TRUE(changes.mountsChanged);
    EXPECT_EQ(volumes_.TypeOfPath("/srv/again"), DriveType::Fixed);
    EXPECT_EQ(volumes_.TypeOfPath("/media/stick1"), DriveType::Removable);
    EXPECT_EQ(volumes_.TypeOfPath("/dev/sdb"), DriveType::NoRootDir);
}

TEST_F(LinuxVolumesTest, LettersRunOutAtZ) {
    for (int i = 5; i < 40; ++i) devices_.AddDisk(i, true, 0);
    std::vector<MountEntry> mounts;
    for (int i = 1; i < 40; ++i) mounts.push_back(Mount(100 + i, 16u * i, "/media/v" + std::to_string(i)));
    const VolumeChanges changes = volumes_.Refresh(mounts);
    EXPECT_EQ(changes.arrived, 0x03FFFFF8u) << "D..Z, never A, B or C";
    EXPECT_EQ(volumes_.RootOf('Z'), "/media/v23");
}

TEST_F(LinuxVolumesTest, RemovableDisksWithoutAMountedVolumeAreListedByNode) {
    volumes_.Refresh({Mount(20, 1, "/"), Mount(31, 17, "/media/stick"), Mount(32, 48, "/media/whole-disk")});
    EXPECT_EQ(volumes_.UnmountedDiskPaths(), (std::vector<std::string>{"/dev/sdc", "/dev/sde"}));
}

TEST_F(LinuxVolumesTest, FreeSpaceOfTheMountedFolder) {
    kiro::test::TempFolder folder;
    volumes_.Refresh({Mount(31, 17, folder.Path())});
    uint64_t total = 0, free = 0;
    ASSERT_TRUE(volumes_.SpaceOf('D', total, free));
    EXPECT_GT(total, 0u);
    EXPECT_LE(free, total);
    EXPECT_FALSE(volumes_.SpaceOf('E', total, free));
}

}  // namespace
}  // namespace kiro::linux_platform
