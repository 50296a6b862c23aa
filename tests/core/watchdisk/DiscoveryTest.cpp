// Which disk is the watch, and how arrivals, removals and other device changes are handled.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CollectionWorld.h"
#include "platform/sim/StepGenerator.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

class DiscoveryTest : public ::testing::Test {
  protected:
    test::CollectionWorld world;

    std::string Disk(const std::string& name, const std::vector<std::string>& files) {
        const std::string folder = world.DiskFolder(name);
        fs::create_directories(folder);
        for (const std::string& file : files) std::ofstream(folder + "/" + file) << "10:00~10:00 9\n";
        return folder;
    }
};

TEST_F(DiscoveryTest, FileModeTestsInTheirOrder) {
    const char notes = world.machine.volumes.Mount(Disk("notes", {"NOTES001.TXT"}));
    EXPECT_TRUE(world.discovery.IsWatchDisk(notes));
    EXPECT_EQ(world.app.Config().Values().displayMode, 0);
    EXPECT_EQ(world.app.Config().File().ReadInt("Advance", "DisplayMode", 9), 0)
        << "written for a file-mode watch";

    const char kro = world.machine.volumes.Mount(Disk("kro", {"20140505.kro"}));
    EXPECT_TRUE(world.discovery.IsWatchDisk(kro)) << "the extension matches in any case";
    EXPECT_EQ(world.app.Config().Values().displayMode, 1);

    const char marker = world.machine.volumes.Mount(Disk("marker", {"usbwatch.dat"}));
    EXPECT_TRUE(world.discovery.IsWatchDisk(marker));

    const char clockOnly = world.machine.volumes.Mount(Disk("clock", {"CLOCK.TXT", "LONGNAME01.TXT"}));
    EXPECT_FALSE(world.discovery.IsWatchDisk(clockOnly)) << "names of other lengths do not count";
}

// Auto asks the watch's own clock for the correction: only a device-mode watch turns it on, and
// a file-mode watch found or chosen afterwards goes back to the slider's value.
TEST_F(DiscoveryTest, AutoTimeAdjustComesOnlyWithADeviceModeWatch) {
    sim::DeviceModeWatch device(world.clock, sim::DeviceWatchOptions{'C', false, 0});
    const char deviceLetter = world.machine.PlugIn(device, world.DiskFolder("volume"));
    world.DeliverEvents();
    EXPECT_EQ(world.app.timeAdjustMode, kTimeAdjustAuto);

    const char fileLetter = world.machine.volumes.Mount(Disk("file", {"USBWATCH.DAT"}));
    EXPECT_TRUE(world.discovery.SelectDisk(fileLetter, world.machine.attributes));
    EXPECT_EQ(world.app.timeAdjustMode, kTimeAdjustManual) << "chosen on the setup page";

    world.machine.Unplug(deviceLetter);
    world.DeliverEvents();
    world.app.timeAdjustMode = kTimeAdjustAuto;
    world.discovery.ScanForWatch();
    EXPECT_EQ(world.app.watch.currentDrive, fileLetter);
    EXPECT_EQ(world.app.timeAdjustMode, kTimeAdjustManual) << "found by a search";
}

TEST_F(DiscoveryTest, LettersAToCAreNeverSearchedButADeviceWatchThereIsFoundByPath) {
    world.machine.volumes.MountAt('C', Disk("c", {"20140505.TXT"}), DriveType::Removable);
    world.discovery.ScanForWatch();
    EXPECT_EQ(world.app.watch.currentDrive, 0);
    EXPECT_EQ(world.host.Lines("label: ").back(), "label: Not found Kiro-Disk");

    sim::DeviceModeWatch watch(world.clock);
    world.machine.devices.Attach('C', watch);
    world.machine.PlugInWithoutVolume(watch);
    world.discovery.ScanForWatch();
    EXPECT_EQ(world.app.watch.currentDrive, '*');
    EXPECT_TRUE(world.host.Lines("status:  Lock").empty()) << "no status text on the device-path road";
}

TEST_F(DiscoveryTest, AFixedDiskIsNeverAWatch) {
    world.machine.volumes.MountAt('E', Disk("fixed", {"20140505.TXT"}), DriveType::Fixed);
    EXPECT_FALSE(world.discovery.IsWatchDisk('E'));
}

TEST_F(DiscoveryTest, ADeviceWatchIsTakenWithItsHandleAndLockTexts) {
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'E', false, 0});
    const char letter = world.machine.PlugIn(watch, Disk("volume", {}));
    ASSERT_TRUE(world.discovery.IsWatchDisk(letter));
    EXPECT_TRUE(world.app.watch.deviceMode);
    EXPECT_EQ(world.app.watch.modelLetter, 'E');
    EXPECT_FALSE(world.app.watch.collectFlag);
    EXPECT_NE(world.app.watch.handle, kNoDevice);
    EXPECT_EQ(world.host.Lines("status: "),
              (std::vector<std::string>{"status:  Lock Volumn D:", "status:  Lock D: Complete"}));
    // Testing again releases the handle held before: one handle stays open.
    ASSERT_TRUE(world.discovery.IsWatchDisk(letter));
    EXPECT_EQ(world.machine.devices.OpenHandles(), 1);
    world.discovery.ResetWatchState();
    EXPECT_EQ(world.machine.devices.OpenHandles(), 0);
}

TEST_F(DiscoveryTest, TwoWatchesInOneArrivalAreCollectedInLetterOrderThenTheFirstAgain) {
    std::vector<std::string> order;
    for (const char* name : {"f", "g"}) {
        sim::FileModeWatch watch(world.DiskFolder(name));
        watch.AddDay(sim::GenerateDay(2014, 5, 5, 1), sim::DayFileFormat::Binary);
    }
    world.machine.volumes.Mount(Disk("d", {}));  // D and E hold no watch
    world.machine.volumes.Mount(Disk("e", {}));
    const char f = world.machine.volumes.Mount(world.DiskFolder("f"));
    const char g = world.machine.volumes.Mount(world.DiskFolder("g"));
    world.discovery.OnDeviceChange({DeviceChange::Kind::VolumeArrival, LetterBit(f) | LetterBit(g)});
    EXPECT_EQ(world.host.Lines("status:  Collecting"),
              (std::vector<std::string>{
                  "status:  Collecting data from Disk-F:", "status:  Collecting data from Disk-G:",
                  "status:  Collecting data from Disk-F:"}));
    EXPECT_EQ(world.host.Lines("ask: ").size(), 2u) << "the rescan's pass of F goes on F's answer";
    EXPECT_EQ(world.app.watch.currentDrive, 'F');
    EXPECT_EQ(world.host.Log().back(), "language-changed") << "a device change that found a watch";
}

// One plug-in, one question: the arrival asks, and the passes of the rescans that follow it (of
// the same notification, or later ones while the watch stays plugged in) go on that answer.
TEST_F(DiscoveryTest, AWatchPluggedInOnceIsAskedAboutOnce) {
    world.app.Config().SetAutoConfirm(false);
    sim::FileModeWatch file(world.DiskFolder("file"));
    file.AddDay(sim::GenerateDay(2014, 5, 5, 1), sim::DayFileFormat::Binary);
    const char fileLetter = world.machine.PlugIn(file);
    world.DeliverEvents();
    EXPECT_EQ(world.host.Lines("ask: ").size(), 1u) << "a file-mode watch";
    world.machine.Unplug(fileLetter);
    world.DeliverEvents();

    world.host.Clear();
    sim::DeviceModeWatch device(world.clock, sim::DeviceWatchOptions{'C', true, 0});
    world.machine.PlugIn(device, world.DiskFolder("volume"));
    world.DeliverEvents();
    world.discovery.OnDeviceChange({DeviceChange::Kind::DevicesChanged, 0});
    EXPECT_EQ(world.host.Lines("ask: ").size(), 1u) << "a device-mode watch, through two notifications";
    EXPECT_TRUE(world.app.watch.deviceMode) << "still the current watch";

    const char letter = world.app.watch.currentDrive;
    world.machine.Unplug(letter);
    world.DeliverEvents();
    world.machine.PlugIn(device, world.DiskFolder("volume"));
    world.DeliverEvents();
    EXPECT_EQ(world.host.Lines("ask: ").size(), 2u) << "plugged in again: asked again";

    // No for a plug-in: neither the rescan nor a later notification collects it, or asks again.
    world.machine.Unplug(world.app.watch.currentDrive);
    world.DeliverEvents();
    device.Record(sim::GenerateDay(2014, 5, 6, 3));
    world.host.Clear();
    world.host.answers = {false};
    world.machine.PlugIn(device, world.DiskFolder("volume"));
    world.DeliverEvents();
    world.discovery.OnDeviceChange({DeviceChange::Kind::DevicesChanged, 0});
    EXPECT_EQ(world.host.Lines("ask: ").size(), 1u);
    EXPECT_TRUE(world.host.Lines("status:  Collecting").empty()) << "nothing collected after a No";
    EXPECT_GT(device.RecordedHours(), 0u) << "the watch keeps its steps";
}

TEST_F(DiscoveryTest, RemovingAnotherDriveOnlyRefreshesAndRescans) {
    sim::FileModeWatch watch(world.DiskFolder("watch"));
    watch.AddDay(sim::GenerateDay(2014, 5, 5, 1), sim::DayFileFormat::Binary);
    world.machine.volumes.Mount(Disk("other", {}));
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    world.host.Clear();
    world.machine.Unplug('D');
    world.DeliverEvents();
    EXPECT_TRUE(world.host.Lines("status:  Remove").empty());
    EXPECT_EQ(world.host.Log().front(), "data-changed");
    EXPECT_EQ(world.app.watch.currentDrive, 'E');
}

TEST_F(DiscoveryTest, SuspendedEventsDoNothing) {
    sim::FileModeWatch watch(world.DiskFolder("watch"));
    watch.AddDay(sim::GenerateDay(2014, 5, 5, 1), sim::DayFileFormat::Binary);
    world.app.watch.eventsSuspended = true;
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_TRUE(world.host.Log().empty());
    EXPECT_EQ(world.app.watch.currentDrive, 0);
}

TEST_F(DiscoveryTest, ADeviceWatchByPathIsClosedAndFoundAgainAtEveryChange) {
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'C', false, 0});
    const std::string path = world.machine.PlugInWithoutVolume(watch);
    world.DeliverEvents();
    ASSERT_EQ(world.app.watch.currentDrive, '*');
    world.machine.Unplug(path);
    world.DeliverEvents();
    EXPECT_EQ(world.app.watch.currentDrive, 0);
    EXPECT_EQ(world.machine.devices.OpenHandles(), 0);
}

}  // namespace
}  // namespace kiro
