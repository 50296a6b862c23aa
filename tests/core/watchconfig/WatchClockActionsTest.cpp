// Clock Check and Time Set against the simulated watch in both modes.
#include "core/watchconfig/WatchClockActions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../watchdisk/CollectionWorld.h"

namespace kiro {
namespace {

TEST(TimeSetTest, WithoutAWatchSaysSo) {
    test::CollectionWorld world;
    TimeSet(world.app, world.machine.devices, world.host, world.machine.volumes, TimeSetRequest{});
    EXPECT_EQ(world.host.Lines("message: ").back(), "message: ### Not found Kiro-Disk ###");
}

TEST(TimeSetTest, ADeviceWatchGetsABlockThatSetsItsClock) {
    test::CollectionWorld world;
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'C', false, 10});
    world.app.Config().SetAutoConfirm(true);
    world.machine.PlugIn(watch, world.DiskFolder("volume"));
    world.DeliverEvents();
    ASSERT_TRUE(world.app.watch.deviceMode);

    TimeSetRequest request;
    request.timeAdjustMode = kTimeAdjustManual;
    request.sliderPosition = -7;
    request.hMod = 1;
    request.ledPower = true;
    EXPECT_EQ(TimeSet(world.app, world.machine.devices, world.host, world.machine.volumes, request), -7);
    EXPECT_EQ(world.host.Lines("status: ").back(), "status:  >> TimeSet: 2014-5-20 12:00:00, (-7)");
    const auto block = watch.ConfigBlock();
    EXPECT_EQ(static_cast<int8_t>(block[31]), -7);
    EXPECT_EQ(block[30], 0x12);
    EXPECT_EQ(block[45], 0xED);
    ASSERT_TRUE(watch.LastClockSet().has_value());

    // Two days later the clock check measures the drift since that set.
    world.clock.Advance(2u * 86400u * 1000u);
    EXPECT_TRUE(ClockCheck(world.app, world.machine.devices, world.host));
    EXPECT_EQ(world.host.Lines("status: ").back().rfind("status:  >> Time Difference = ", 0), 0u);
    EXPECT_EQ(world.app.watchSettings.hMod, 1);
}

TEST(TimeSetTest, AutoModeSendsTheComputedCorrection) {
    test::CollectionWorld world;
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'C', false, 0});
    world.machine.PlugIn(watch, world.DiskFolder("volume"));
    world.DeliverEvents();
    world.app.watchSettings.tAdj = 12;
    TimeSetRequest request;
    request.timeAdjustMode = kTimeAdjustAuto;
    request.sliderPosition = 50;
    EXPECT_EQ(TimeSet(world.app, world.machine.devices, world.host, world.machine.volumes, request), 12);
    EXPECT_EQ(static_cast<int8_t>(watch.ConfigBlock()[31]), 12);
}

TEST(TimeSetTest, AFileWatchGetsItsClockFileRewrittenAndIsAskedToBePluggedOut) {
    test::CollectionWorld world;
    sim::FileModeWatch watch(world.DiskFolder("watch"));
    std::ofstream(watch.Folder() + "/CLOCK.TXT", std::ios::binary) << "UStr=Hi\r\nTAdj=3\r\n";
    std::ofstream(watch.Folder() + "/USBWATCH.DAT");
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    TimeSetRequest request;
    request.sliderPosition = 5;
    TimeSet(world.app, world.machine.devices, world.host, world.machine.volumes, request);
    std::ifstream in(watch.Folder() + "/CLOCK.TXT", std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "UStr=Hi\r\n\r\nDate=20140520\r\nTime=120000\r\nTAdj=5\r\nHMod=0");
    EXPECT_EQ(world.host.Lines("message: ").back(), "message: Please PLUG-OUT disk to start SETUP");
    EXPECT_GE(world.clock.TotalSlept(), 500u);
}

// The watch's volume went away between finding it and Time Set: nothing is written anywhere
// (its root would be empty, and "/CLOCK.TXT" a file of this machine), and the user is told.
TEST(TimeSetTest, AFileWatchWhoseVolumeWentAwayGetsNothingWrittenAnywhere) {
    test::CollectionWorld world;
    sim::FileModeWatch watch(world.DiskFolder("watch"));
    std::ofstream(watch.Folder() + "/USBWATCH.DAT");
    const char letter = world.machine.PlugIn(watch);
    world.DeliverEvents();
    ASSERT_EQ(world.app.watch.currentDrive, letter);
    world.machine.volumes.Unmount(letter);
    const bool thereBefore = std::filesystem::exists("/CLOCK.TXT");
    TimeSet(world.app, world.machine.devices, world.host, world.machine.volumes, TimeSetRequest{});
    EXPECT_EQ(world.host.Lines("status: ").back(), "status:  ### Cannot write CLOCK.TXT ###");
    EXPECT_EQ(world.host.Lines("message: ").size(), 0u) << "no call to plug out a watch not written";
    if (!thereBefore) {
        EXPECT_FALSE(std::filesystem::exists("/CLOCK.TXT"));
    }
}

TEST(ClockCheckTest, NoWatchOnlyResets) {
    test::CollectionWorld world;
    world.app.watchSettings.sped = 1;
    EXPECT_FALSE(ClockCheck(world.app, world.machine.devices, world.host));
    EXPECT_EQ(world.app.watchSettings.sped, 4);
    EXPECT_TRUE(world.host.Log().empty());
}

}  // namespace
}  // namespace kiro
