// The production line against the simulated machine: watches of both kinds plugged in one after
// another, PreCopy folders with links in them, disks that refuse what is written.
#include "core/watchconfig/FactorySetup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../watchdisk/CollectionWorld.h"
#include "core/watch/ConfigBlock.h"
#include "platform/NativePlatform.h"
#include "support/SymbolicLinks.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

struct RecordingDisplay final : FactoryDisplay {
    void ShowStatus(const std::string& text, Rgb background, Rgb foreground) override {
        statuses.push_back(text);
        lastBackground = background;
        lastForeground = foreground;
    }
    void ShowCount(int count) override { counts.push_back(count); }

    std::vector<std::string> statuses;
    std::vector<int> counts;
    Rgb lastBackground;
    Rgb lastForeground;
};

// The main window while the factory window is open: its own handling of disks is suspended.
struct SuspendedWindow final : DeviceChangeSink {
    void OnDeviceChange(const DeviceChange&) override {}
};

struct FactoryWorld : test::CollectionWorld {
    FactoryWorld() {
        app.watchSettings.uStr = "Hello";
        app.watchSettings.tAdj = -3;
        factory.Open();
    }
    std::string WatchFile(const sim::FileModeWatch& watch, const std::string& name) const {
        return test::TempFolder::ReadFile(watch.Folder() + "/" + name);
    }
    void Deliver() { machine.events.Dispatch(factory); }

    int sends = 0;
    int failSendsFrom = 1 << 30;  // the command number from which every command fails
    test::StoppableDeviceIo device{machine.devices, [this] { return ++sends >= failSendsFrom; }};
    RecordingDisplay display;
    FactoryAnimation animation;
    FactorySetup factory{app, machine.volumes, device, machine.attributes, host, display, animation};
};

TEST(FactorySetupTest, TwoDisksOfOneArrivalAreBothSetUpAndCounted) {
    FactoryWorld world;
    sim::FileModeWatch plain(world.DiskFolder("plain"));
    sim::DeviceModeWatch device(world.clock, sim::DeviceWatchOptions{'E', false, 0});
    const char first = world.machine.PlugIn(plain);
    const char second = world.machine.PlugIn(device, world.DiskFolder("device-volume"));
    // One notification naming both letters, as the system sends for disks that come together.
    SuspendedWindow window;
    world.machine.events.Dispatch(window);
    world.factory.OnDeviceChange({DeviceChange::Kind::VolumeArrival, LetterBit(first) | LetterBit(second)});

    EXPECT_EQ(world.factory.Count(), 2);
    EXPECT_EQ(world.display.counts, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(world.display.statuses,
              (std::vector<std::string>{"Plug-in DISK, Auto Setup", "Disk-D Constructing ... ...",
                                        ">>> Setup OK, Remove Disk <<<", "Disk-E Constructing ... ...",
                                        ">>> Setup OK, Remove Disk <<<"}));
    EXPECT_TRUE(world.factory.Busy());
    EXPECT_EQ(world.factory.CurrentDrive(), second);

    // The plain disk: the full CLOCK.TXT with the clock, and an empty hidden marker.
    const std::string clock = world.WatchFile(plain, "CLOCK.TXT");
    EXPECT_NE(clock.find("UStr=Hello\r\n"), std::string::npos);
    EXPECT_NE(clock.find("Date=20140520\r\nTime=120000\r\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(plain.Folder() + "/USBWATCH.DAT"));
    EXPECT_EQ(fs::file_size(plain.Folder() + "/USBWATCH.DAT"), 0u);
    EXPECT_TRUE(world.machine.attributes.IsHidden(plain.Folder() + "/USBWATCH.DAT"));
    // The device watch: a block with the settings, its clock set, and nothing on its volume.
    const auto block = device.ConfigBlock();
    EXPECT_EQ(static_cast<int8_t>(block[31]), -3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&block[48]), 5), "Hello");
    EXPECT_TRUE(device.LastClockSet().has_value());
    EXPECT_FALSE(fs::exists(world.DiskFolder("device-volume") + "/CLOCK.TXT"));
    EXPECT_EQ(world.machine.devices.OpenHandles(), 0);
}

TEST(FactorySetupTest, AnyRemovalReturnsToIdleButOnlyItsOwnClearsTheDrive) {
    FactoryWorld world;
    sim::FileModeWatch watch(world.DiskFolder("watch"));
    sim::FileModeWatch other(world.DiskFolder("other"));
    const char otherLetter = world.machine.PlugIn(other);
    SuspendedWindow window;
    world.machine.events.Dispatch(window);  // already there when the factory window opened
    const char letter = world.machine.PlugIn(watch);
    world.Deliver();
    ASSERT_EQ(world.factory.CurrentDrive(), letter);

    world.machine.Unplug(otherLetter);
    world.Deliver();
    EXPECT_FALSE(world.factory.Busy());
    EXPECT_EQ(world.factory.CurrentDrive(), letter);
    EXPECT_EQ(world.display.statuses.back(), "Plug-in DISK, Auto Setup");
    EXPECT_EQ(world.display.lastBackground, (Rgb{0, 180, 0}));

    world.machine.Unplug(letter);
    world.Deliver();
    EXPECT_EQ(world.factory.CurrentDrive(), kNoDrive);
    EXPECT_EQ(world.factory.Count(), 1);
}

TEST(FactorySetupTest, PreCopyCopiesTheTreeButNoLinkOutOfIt) {
    FactoryWorld world;
    const std::string source = world.DiskFolder("prepared");
    fs::create_directories(source + "/music/empty");
    test::TempFolder secret;
    secret.Write("private.txt", "not for the watch");
    std::ofstream(source + "/readme.txt") << "welcome";
    std::ofstream(source + "/music/song.txt") << "la la";
    KIRO_LINK_OR_SKIP(secret.File("private.txt"), source + "/linked.txt");
    KIRO_LINK_OR_SKIP(secret.Path(), source + "/linked-folder");
    ASSERT_FALSE(world.factory.SetPreCopyPath(source));
    ASSERT_FALSE(world.factory.SetPreCopyEnabled(true));

    sim::FileModeWatch watch(world.DiskFolder("watch"));
    world.machine.PlugIn(watch);
    world.Deliver();
    EXPECT_EQ(world.display.statuses.back(), ">>> Setup OK, Remove Disk <<<");
    EXPECT_EQ(world.WatchFile(watch, "readme.txt"), "welcome");
    EXPECT_EQ(world.WatchFile(watch, "music/song.txt"), "la la");
    EXPECT_TRUE(fs::is_directory(watch.Folder() + "/music/empty"));
    EXPECT_FALSE(fs::exists(watch.Folder() + "/linked.txt"));
    EXPECT_FALSE(fs::exists(watch.Folder() + "/linked-folder"));
    // The choice was stored, and the next opening of the window reads it back.
    world.factory.Open();
    EXPECT_TRUE(world.factory.PreCopyEnabled());
    EXPECT_EQ(world.factory.PreCopyPath(), source);
}

TEST(FactorySetupTest, PreCopyPathsThatCannotBeUsedAsChosen) {
    const struct {
        const char* what;
        bool enabled;
        std::string path;  // relative to the disks folder; "" stays empty
        bool ok;
    } cases[] = {
        {"off: nothing is copied", false, "missing-folder", true},
        {"on with no folder chosen: nothing to copy", true, "", true},
        {"a folder that is not there", true, "missing-folder", false},
        // A longer path would have to be cut, and a cut path names another folder.
        {"a path longer than 254 characters", true, std::string(250, 'p'), false},
    };
    for (const auto& c : cases) {
        FactoryWorld world;
        std::string path = c.path.empty() ? "" : world.DiskFolder(c.path);
        if (c.path.size() > 200) {
            fs::create_directories(path);
            ASSERT_GT(path.size(), kPreCopyPathLimit);
        }
        world.factory.SetPreCopyPath(path);
        world.factory.SetPreCopyEnabled(c.enabled);
        sim::FileModeWatch watch(world.DiskFolder("watch"));
        world.machine.PlugIn(watch);
        world.Deliver();
        EXPECT_EQ(world.factory.Count(), c.ok ? 1 : 0) << c.what;
        EXPECT_EQ(world.display.statuses.back(),
                  c.ok ? ">>> Setup OK, Remove Disk <<<" : "### Setup failed ###")
            << c.what;
        if (!c.ok) {
            EXPECT_EQ(world.display.lastBackground, (Rgb{250, 10, 10})) << c.what;
        }
    }
}

TEST(FactorySetupTest, ADiskThatRefusesTheSettingsIsAFailureNotASuccess) {
    {
        FactoryWorld world;
        world.files.FailPath("CLOCK.TXT", std::make_error_code(std::errc::no_space_on_device));
        sim::FileModeWatch watch(world.DiskFolder("watch"));
        world.machine.PlugIn(watch);
        world.Deliver();
        EXPECT_EQ(world.display.statuses.back(), "### Setup failed ###");
        EXPECT_EQ(world.factory.Count(), 0);
        EXPECT_NE(world.host.Lines("status: ").back().find("CLOCK.TXT"), std::string::npos);
    }
    {
        // A CLOCK.TXT that is a link on the disk is never written through.
        FactoryWorld world;
        test::TempFolder outside;
        outside.Write("target.txt", "keep");
        sim::FileModeWatch watch(world.DiskFolder("watch"));
        KIRO_LINK_OR_SKIP(outside.File("target.txt"), watch.Folder() + "/CLOCK.TXT");
        world.machine.PlugIn(watch);
        world.Deliver();
        EXPECT_EQ(world.display.statuses.back(), "### Setup failed ###");
        EXPECT_EQ(outside.Read("target.txt"), "keep");
    }
    {
        // The device watch answers its identification but takes no block.
        FactoryWorld world;
        sim::DeviceModeWatch device(world.clock);
        world.machine.PlugIn(device, world.DiskFolder("volume"));
        world.failSendsFrom = world.sends + 2;
        world.Deliver();
        EXPECT_EQ(world.display.statuses.back(), "### Setup failed ###");
        EXPECT_EQ(world.factory.Count(), 0);
        EXPECT_FALSE(device.LastClockSet().has_value());
        EXPECT_EQ(world.machine.devices.OpenHandles(), 0);
    }
}

TEST(FactorySetupTest, TheIdleColoursMoveOnlyWhileNoWatchIsBeingSetUp) {
    FactoryWorld world;
    int slider = 0;
    slider = world.factory.Tick(slider);
    EXPECT_EQ(slider, 1);
    EXPECT_EQ(world.display.lastBackground, (Rgb{1, 3, 5}));
    EXPECT_EQ(world.display.lastForeground, (Rgb{254, 252, 250}));
    EXPECT_EQ(world.display.statuses.back(), "Plug-in DISK, Auto Setup");

    sim::FileModeWatch watch(world.DiskFolder("watch"));
    world.machine.PlugIn(watch);
    world.Deliver();
    const size_t shown = world.display.statuses.size();
    for (int i = 0; i < 30; ++i) slider = world.factory.Tick(slider);
    EXPECT_EQ(world.display.statuses.size(), shown) << "the result stays on screen as it is";
    EXPECT_EQ(slider, 9) << "the slider swings on: 19 steps up to 20, then 11 back";
}

TEST(FactorySetupTest, AStreamOfWatchesLeavesNothingOpenBehind) {
    FactoryWorld world;
    sim::FileModeWatch plain(world.DiskFolder("plain"));
    sim::DeviceModeWatch device(world.clock);
    // Open files as the system counts them (descriptors, or on Windows handles); -1 where it does
    // not count them, as under Wine.
    const auto openDescriptors = [] { return NativeProcessInfo().CurrentUsage().openDescriptors; };
    const int before = openDescriptors();
    for (int i = 0; i < 200; ++i) {
        const char letter =
            i % 2 ? world.machine.PlugIn(device, world.DiskFolder("volume")) : world.machine.PlugIn(plain);
        world.Deliver();
        world.machine.Unplug(letter);
        world.Deliver();
    }
    EXPECT_EQ(world.factory.Count(), 200);
    EXPECT_EQ(world.machine.devices.OpenHandles(), 0);
    if (before >= 0) {
        EXPECT_EQ(openDescriptors(), before);
    }
}

}  // namespace
}  // namespace kiro
