// Which disks the setup page offers, what selecting one does, and which controls each watch gets.
#include "core/watchconfig/SetupRules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../watchdisk/CollectionWorld.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

TEST(DiskButtonsTest, EightRemovableDrivesFromDOn) {
    test::CollectionWorld world;
    sim::FakeVolumes& volumes = world.machine.volumes;
    for (char letter : {'A', 'B'}) volumes.MountAt(letter, world.DiskFolder("floppy"), DriveType::Removable);
    volumes.MountAt('C', world.DiskFolder("system"), DriveType::Fixed);
    volumes.MountAt('F', world.DiskFolder("network"), DriveType::Remote);
    for (char letter : {'D', 'E', 'G', 'H', 'I', 'J', 'K', 'L', 'M'})
        volumes.MountAt(letter, world.DiskFolder(std::string(1, letter)), DriveType::Removable);
    EXPECT_EQ(DiskButtonLetters(volumes), (std::vector<char>{'D', 'E', 'G', 'H', 'I', 'J', 'K', 'L'}));
}

TEST(SetupControlsTest, EachWatchGetsItsControls) {
    const auto watch = [](char drive, bool deviceMode, char model) {
        WatchConnection connection;
        connection.currentDrive = drive;
        connection.deviceMode = deviceMode;
        connection.modelLetter = model;
        return connection;
    };
    const WatchConnection none;
    const WatchConnection file = watch('D', false, 0);
    const WatchConnection deviceC = watch('D', true, 'C');
    const WatchConnection deviceE = watch('E', true, 'E');
    const struct {
        const WatchConnection& watch;
        int mode;
        SetupControls expected;
    } cases[] = {
        {none, kTimeAdjustAuto, {false, false, false, true, false}},
        {file, kTimeAdjustAuto, {true, false, false, true, false}},
        {deviceC, kTimeAdjustManual, {true, true, true, true, false}},
        {deviceC, kTimeAdjustAuto, {true, true, true, false, false}},
        {deviceE, kTimeAdjustAuto, {true, true, true, false, true}},
    };
    for (const auto& c : cases) {
        const SetupControls got = SetupControlsFor(c.watch, c.mode);
        EXPECT_EQ(got.timeSet, c.expected.timeSet);
        EXPECT_EQ(got.deviceControls, c.expected.deviceControls);
        EXPECT_EQ(got.autoManual, c.expected.autoManual);
        EXPECT_EQ(got.slider, c.expected.slider) << c.watch.currentDrive << " mode " << c.mode;
        EXPECT_EQ(got.recorder, c.expected.recorder);
    }
}

TEST(SelectDiskTest, ADeviceWatchIsOpenedAndLockedAndAnotherChoiceReleasesIt) {
    test::CollectionWorld world;
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'E', false, 0});
    const char deviceLetter = world.machine.PlugIn(watch, world.DiskFolder("volume"));
    sim::FileModeWatch plain(world.DiskFolder("plain"));
    const char plainLetter = world.machine.PlugIn(plain);

    ASSERT_TRUE(world.discovery.SelectDisk(deviceLetter, world.machine.attributes));
    EXPECT_EQ(world.app.watch.currentDrive, deviceLetter);
    EXPECT_TRUE(world.app.watch.deviceMode);
    EXPECT_EQ(world.app.watch.modelLetter, 'E');
    EXPECT_EQ(world.machine.devices.OpenHandles(), 1);
    EXPECT_EQ(world.host.Lines("label: ").back(), "label: KiroMeter2 USB FlashDisk (D:)");
    EXPECT_EQ(world.host.Count("language-changed"), 1) << "every page shows the watch's settings";

    // The plain disk has no marker yet: choosing it gives it one, and lets the device go.
    ASSERT_TRUE(world.discovery.SelectDisk(plainLetter, world.machine.attributes));
    EXPECT_FALSE(world.app.watch.deviceMode);
    EXPECT_EQ(world.machine.devices.OpenHandles(), 0);
    EXPECT_TRUE(fs::exists(plain.Folder() + "/USBWATCH.DAT"));
    EXPECT_TRUE(world.machine.attributes.IsHidden(plain.Folder() + "/USBWATCH.DAT"));
}

TEST(SelectDiskTest, ADiskThatTakesNoMarkerIsNotSelected) {
    test::CollectionWorld world;
    sim::FileModeWatch plain(world.DiskFolder("plain"));
    const char letter = world.machine.PlugIn(plain);
    world.files.FailPath("USBWATCH.DAT", std::make_error_code(std::errc::read_only_file_system));
    EXPECT_FALSE(world.discovery.SelectDisk(letter, world.machine.attributes));
    EXPECT_EQ(world.app.watch.currentDrive, kNoDrive);
    EXPECT_EQ(world.host.Lines("label: ").back(), "label: Not found Kiro-Disk");
    EXPECT_EQ(world.host.Count("language-changed"), 0);
}

}  // namespace
}  // namespace kiro
