#include "platform/sim/SimulatedMachine.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "core/watch/WatchCommands.h"
#include "platform/sim/FakeClock.h"
#include "support/TempFolder.h"

namespace kiro::sim {
namespace {

class RecordingSink final : public DeviceChangeSink {
  public:
    void OnDeviceChange(const DeviceChange& change) override { changes.push_back(change); }
    std::vector<DeviceChange> changes;
};

TEST(SimulatedMachineTest, FileModeWatchesTakeTheLowestFreeLetterAndAnnounceIt) {
    test::TempFolder folder;
    SimulatedMachine machine;
    FileModeWatch first(folder.File("one")), second(folder.File("two"));
    EXPECT_EQ(machine.PlugIn(first), 'D');
    EXPECT_EQ(machine.PlugIn(second), 'E');
    machine.Unplug('D');
    EXPECT_EQ(machine.volumes.LogicalDrives(), LetterBit('E'));
    EXPECT_EQ(machine.PlugIn(first), 'D');
    EXPECT_EQ(machine.volumes.RootOf('D'), folder.File("one"));
    EXPECT_EQ(machine.volumes.TypeOf('D'), DriveType::Removable);
    EXPECT_EQ(machine.volumes.TypeOf('F'), DriveType::NoRootDir);

    RecordingSink sink;
    machine.events.Dispatch(sink);
    ASSERT_EQ(sink.changes.size(), 4u);
    EXPECT_EQ(sink.changes[1].kind, DeviceChange::Kind::VolumeArrival);
    EXPECT_EQ(sink.changes[1].letterMask, LetterBit('E'));
    EXPECT_EQ(sink.changes[2].kind, DeviceChange::Kind::VolumeRemoval);
    EXPECT_EQ(sink.changes[2].letterMask, LetterBit('D'));
    EXPECT_EQ(machine.events.Pending(), 0u);
}

TEST(SimulatedMachineTest, UnpluggedDeviceWatchNoLongerAnswers) {
    test::TempFolder folder;
    FakeClock clock;
    SimulatedMachine machine;
    DeviceModeWatch watch(clock);
    const char letter = machine.PlugIn(watch, folder.Path());
    ASSERT_EQ(letter, 'D');
    const DeviceHandle held = machine.devices.OpenVolume(letter);
    EXPECT_TRUE(IdentifyWatch(Inquiry(machine.devices, letter)).isX5);

    machine.Unplug(letter);
    EXPECT_EQ(ReadConfigBlock(machine.devices, held).result, ENODEV);
    EXPECT_EQ(Inquiry(machine.devices, letter).result, -1);
    EXPECT_EQ(machine.volumes.LogicalDrives(), 0u);
}

TEST(SimulatedMachineTest, WatchWithoutVolumeIsReachedByItsDevicePath) {
    FakeClock clock;
    SimulatedMachine machine;
    DeviceModeWatch watch(clock, {'E', true, 0});
    const std::string path = machine.PlugInWithoutVolume(watch);
    EXPECT_EQ(machine.volumes.UnmountedDiskPaths(), std::vector<std::string>{path});
    EXPECT_EQ(machine.volumes.TypeOfPath(path), DriveType::NoRootDir);
    EXPECT_EQ(IdentifyWatch(Inquiry(machine.devices, path)).modelLetter, 'E');
    EXPECT_EQ(machine.devices.OpenHandles(), 0) << "the path form closes what it opened";

    machine.Unplug(path);
    EXPECT_TRUE(machine.volumes.UnmountedDiskPaths().empty());
    RecordingSink sink;
    machine.events.Dispatch(sink);
    ASSERT_EQ(sink.changes.size(), 2u);
    EXPECT_EQ(sink.changes[0].kind, DeviceChange::Kind::DevicesChanged);
}

}  // namespace
}  // namespace kiro::sim
