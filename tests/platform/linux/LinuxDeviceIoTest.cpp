#include "platform/linux/LinuxDeviceIo.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>

#include "FakeBlockDevices.h"
#include "FakeSystemCalls.h"

namespace kiro::linux_platform {
namespace {

class LinuxDeviceIoTest : public ::testing::Test {
  protected:
    LinuxDeviceIoTest() {
        devices_.AddDisk(1, true);
        volumes_.Refresh({{31, {8, 17}, "/", "/media/watch", "vfat", "/dev/sdb1"}});
    }
    int AccessOf(size_t open) const { return calls_.opens.at(open).flags & O_ACCMODE; }

    test::FakeBlockDevices devices_;
    LinuxVolumes volumes_{devices_, "/nonexistent/mountinfo"};
    test::FakeSystemCalls calls_;
    LinuxDeviceIo io_{calls_, volumes_, devices_};
};

TEST_F(LinuxDeviceIoTest, VolumeOpensThroughTheGenericNodeOfItsDisk) {
    calls_.openable["/dev/sg1"] = 12;
    EXPECT_EQ(io_.OpenVolume('D'), 12);
    ASSERT_EQ(calls_.opens.size(), 1u);
    EXPECT_EQ(calls_.opens[0].path, "/dev/sg1");
    EXPECT_EQ(AccessOf(0), O_RDWR);
}

TEST_F(LinuxDeviceIoTest, FallsBackToTheBlockNodeReadWriteThenReadOnly) {
    calls_.openable["/dev/sg1"] = -EACCES;
    calls_.openable["/dev/sdb"] = 13;
    EXPECT_EQ(io_.OpenVolume('D'), 13);
    ASSERT_EQ(calls_.opens.size(), 2u);
    EXPECT_EQ(calls_.opens[1].path, "/dev/sdb") << "the whole disk, not the partition";
    EXPECT_EQ(AccessOf(1), O_RDWR);
    EXPECT_TRUE(calls_.opens[1].flags & O_NONBLOCK);

    calls_.opens.clear();
    calls_.openable.erase("/dev/sdb");
    EXPECT_EQ(io_.OpenVolume('D'), kNoDevice);
    ASSERT_EQ(calls_.opens.size(), 3u);
    EXPECT_EQ(AccessOf(2), O_RDONLY);
}

TEST_F(LinuxDeviceIoTest, LetterWithoutVolumeDoesNotOpen) {
    EXPECT_EQ(io_.OpenVolume('E'), kNoDevice);
    EXPECT_EQ(io_.OpenVolume('C'), kNoDevice);
    EXPECT_TRUE(calls_.opens.empty());
}

TEST_F(LinuxDeviceIoTest, PathsOfDisksAndOfGenericNodes) {
    calls_.openable["/dev/sg1"] = 14;
    EXPECT_EQ(io_.OpenPath("/dev/sdb"), 14);
    calls_.openable["/dev/sg7"] = 15;
    EXPECT_EQ(io_.OpenPath("/dev/sg7"), 15) << "a node that is not a known disk is opened as it is";
    EXPECT_EQ(io_.OpenPath("/dev/nothing"), kNoDevice);
}

TEST_F(LinuxDeviceIoTest, AnOpenDiskTellsItsSerialNumberAndAttachment) {
    BlockDisk& watch = devices_.AddDisk(2, true);
    watch.serial = "X5-0042";
    watch.connection = AttachmentName("b00t", "17", "1-4");
    calls_.openable["/dev/sg2"] = 16;
    calls_.openable["/dev/sg7"] = 17;
    const DeviceHandle opened = io_.OpenPath("/dev/sdc");
    ASSERT_EQ(opened, 16);
    EXPECT_EQ(io_.AttachmentOf(opened).serial, "X5-0042");
    EXPECT_EQ(io_.AttachmentOf(opened).connection, "boot b00t disk 17 usb 1-4");
    EXPECT_TRUE(io_.AttachmentOf(io_.OpenPath("/dev/sg7")).connection.empty())
        << "a node the system did not describe";
    io_.Close(opened);
    EXPECT_TRUE(io_.AttachmentOf(opened).serial.empty()) << "a closed handle is nobody's";
}

TEST_F(LinuxDeviceIoTest, LockIsANonBlockingExclusiveFlock) {
    EXPECT_EQ(io_.Lock(12), 0);
    calls_.flockResult = -EWOULDBLOCK;
    EXPECT_EQ(io_.Lock(12), EWOULDBLOCK);
    calls_.flockResult = 0;
    EXPECT_EQ(io_.Unlock(12), 0);
    ASSERT_EQ(calls_.flocks.size(), 3u);
    EXPECT_EQ(calls_.flocks[0], (std::pair<int, int>{12, LOCK_EX | LOCK_NB}));
    EXPECT_EQ(calls_.flocks[2], (std::pair<int, int>{12, LOCK_UN}));
}

}  // namespace
}  // namespace kiro::linux_platform
