#include "platform/linux/LinuxDeviceEvents.h"

#include <gtest/gtest.h>

#include "FakeBlockDevices.h"
#include "support/TempFolder.h"

namespace kiro::linux_platform {
namespace {

using Kind = DeviceChange::Kind;

TEST(DeviceNotificationsTest, OneLookGivesRemovalsThenArrivalsOrOneGeneralChange) {
    struct Case {
        const char* name;
        VolumeChanges changes;
        bool devicesChanged;
        std::vector<std::pair<Kind, uint32_t>> expected;
    };
    const Case cases[] = {
        {"nothing happened", {0, 0, false}, false, {}},
        {"a disk without volume came", {0, 0, false}, true, {{Kind::DevicesChanged, 0}}},
        {"a mount elsewhere", {0, 0, true}, false, {{Kind::DevicesChanged, 0}}},
        {"a watch mounted", {0x08, 0, true}, true, {{Kind::VolumeArrival, 0x08}}},
        {"two unmounted", {0, 0x30, true}, false, {{Kind::VolumeRemoval, 0x30}}},
        {"D swapped for another volume",
         {0x08, 0x08, true},
         true,
         {{Kind::VolumeRemoval, 0x08}, {Kind::VolumeArrival, 0x08}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<Kind, uint32_t>> got;
        for (const DeviceChange& change : NotificationsFor(c.changes, c.devicesChanged))
            got.push_back({change.kind, change.letterMask});
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

// Keeps arrivals and removals only: the machine running the test may have block devices of
// its own coming and going, which are general changes.
class VolumeSink final : public DeviceChangeSink {
  public:
    void OnDeviceChange(const DeviceChange& change) override {
        if (change.kind != Kind::DevicesChanged) changes.push_back(change);
    }
    std::vector<DeviceChange> changes;
};

// The whole road from the mount table to the sink, with a mount table of our own.
TEST(LinuxDeviceEventsTest, DispatchTurnsMountTableChangesIntoLetters) {
    kiro::test::TempFolder folder;
    const std::string mountInfo = folder.File("mountinfo");
    folder.Write("mountinfo", "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n");
    test::FakeBlockDevices devices;
    devices.AddDisk(0, false);
    devices.AddDisk(1, true);
    LinuxVolumes volumes(devices, mountInfo);
    LinuxDeviceEvents events(volumes, mountInfo);
    EXPECT_GE(events.Fd(), 0);

    VolumeSink sink;
    events.Dispatch(sink);
    EXPECT_TRUE(sink.changes.empty());

    folder.Write("mountinfo",
                 "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n31 20 8:17 / /media/X5 rw - vfat /dev/sdb1 rw\n");
    events.Dispatch(sink);
    ASSERT_EQ(sink.changes.size(), 1u);
    EXPECT_EQ(sink.changes[0].kind, Kind::VolumeArrival);
    EXPECT_EQ(sink.changes[0].letterMask, LetterBit('D'));
    EXPECT_EQ(volumes.RootOf('D'), "/media/X5");

    folder.Write("mountinfo", "20 1 8:1 / / rw - ext4 /dev/sda1 rw\n");
    events.Dispatch(sink);
    ASSERT_EQ(sink.changes.size(), 2u);
    EXPECT_EQ(sink.changes[1].kind, Kind::VolumeRemoval);
    EXPECT_EQ(sink.changes[1].letterMask, LetterBit('D'));
}

}  // namespace
}  // namespace kiro::linux_platform
