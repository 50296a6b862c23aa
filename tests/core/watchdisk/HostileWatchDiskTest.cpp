// Watch disks that are broken or built to do harm: folders that cannot be read, links where the
// watch's files belong, files larger than any watch writes, counts meant to overflow. Nothing of
// them may leave the watch, reach outside it, or bend the totals.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "CollectionWorld.h"
#include "core/watchconfig/WatchClockActions.h"
#include "core/watchdisk/DayDataDecoders.h"
#include "platform/sim/StepGenerator.h"
#include "support/SymbolicLinks.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

class HostileWatchDiskTest : public ::testing::Test {
  protected:
    test::CollectionWorld world;
    sim::FileModeWatch watch{world.DiskFolder("watch")};
    test::TempFolder outside;  // somewhere else on the machine

    void SetUp() override {
        watch.AddDay(sim::GenerateDay(2014, 5, 4, 9), sim::DayFileFormat::Binary);
        outside.Write("precious.KRO", std::string(kKroFileBytes, '\x01'));
        outside.Write("settings.txt", "Sped=7\r\nTAdj=50\r\n");
    }
    void Collect() {
        world.machine.PlugIn(watch);
        world.DeliverEvents();
    }
    bool OnWatch(const std::string& name) const {
        return fs::exists(fs::symlink_status(watch.Folder() + "/" + name));
    }
    int StoredTotal() const { return world.app.Config().Values().totalSteps; }
};

TEST_F(HostileWatchDiskTest, AFolderThatCannotBeReadToItsEndGivesNoPassAndDeletesNothing) {
    world.files.FailListing(watch.Folder(), std::make_error_code(std::errc::io_error));
    watch.AddDay(sim::GenerateDay(2014, 5, 5, 9), sim::DayFileFormat::Binary);
    world.machine.PlugIn(watch);
    // The listing fails only for the pass: the disk was recognised before.
    world.files.FailListing("", {});
    ASSERT_TRUE(world.discovery.IsWatchDisk('D'));
    world.app.watch.currentDrive = 'D';
    world.files.FailListing(watch.Folder(), std::make_error_code(std::errc::io_error));
    world.collector.CollectFromWatch();
    EXPECT_FALSE(world.collector.LastPass().Complete());
    EXPECT_EQ(world.host.Count("status:  ### Cannot read the watch disk ###"), 1);
    EXPECT_EQ(world.host.Count("status:  >>> Collecting D: Complete <<<"), 0);
    EXPECT_TRUE(OnWatch("20140504.KRO"));
    EXPECT_TRUE(OnWatch("20140505.KRO"));
    EXPECT_EQ(StoredTotal(), 0);
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 5).found);
}

TEST_F(HostileWatchDiskTest, ALinkInPlaceOfADayFileIsLeftAloneAndSaidSo) {
    KIRO_LINK_OR_SKIP(outside.File("precious.KRO"), watch.Folder() + "/20140506.KRO");
    KIRO_LINK_OR_SKIP(outside.File("gone"), watch.Folder() + "/20140507.TXT");
    Collect();
    EXPECT_TRUE(OnWatch("20140506.KRO")) << "the link stays";
    EXPECT_TRUE(OnWatch("20140507.TXT"));
    EXPECT_EQ(outside.Read("precious.KRO"), std::string(kKroFileBytes, '\x01')) << "what it points to stays";
    EXPECT_GE(world.host.Count("status:  ### 20140506.KRO is not a plain file: left on the watch ###"), 1);
    EXPECT_GE(world.host.Count("status:  ### 20140507.TXT is not a plain file: left on the watch ###"), 1);
    EXPECT_FALSE(OnWatch("20140504.KRO")) << "the real day file is taken";
    const MonthBuffer may = world.Month(2014, 5);
    for (int minute = 0; minute < 1440; minute += 7) EXPECT_EQ(may.At(6, minute / 60, minute % 60), 0);
    EXPECT_FALSE(world.collector.LastPass().Complete());
}

TEST_F(HostileWatchDiskTest, AFolderNamedLikeADayFileIsLeftAloneAndSaidSo) {
    fs::create_directories(watch.Folder() + "/20140508.KRO/inside");
    Collect();
    EXPECT_TRUE(fs::is_directory(watch.Folder() + "/20140508.KRO/inside"));
    EXPECT_GE(world.host.Count("status:  ### 20140508.KRO is not a plain file: left on the watch ###"), 1);
    EXPECT_FALSE(OnWatch("20140504.KRO")) << "the real day file is taken";
    EXPECT_FALSE(world.collector.LastPass().Complete());
}

TEST_F(HostileWatchDiskTest, LinksInPlaceOfTheSettingsAndTheMarkerAreNeverFollowed) {
    KIRO_LINK_OR_SKIP(outside.File("settings.txt"), watch.Folder() + "/CLOCK.TXT");
    KIRO_LINK_OR_SKIP(outside.File("made-by-the-program"), watch.Folder() + "/USBWATCH.DAT");
    Collect();
    EXPECT_EQ(world.app.watchSettings.sped, 4) << "the settings outside the watch are not read";
    EXPECT_FALSE(fs::exists(outside.File("made-by-the-program"))) << "no marker is made outside the watch";

    // Time Set neither reads nor writes through the link. (The disk, emptied of day files and
    // without a readable marker, is no watch to the rescan that followed; Time Set is asked of
    // it as of the disk it was.)
    world.app.watch.currentDrive = 'D';
    TimeSetRequest request;
    TimeSet(world.app, world.run.devices, world.host, world.machine.volumes, request);
    EXPECT_EQ(outside.Read("settings.txt"), "Sped=7\r\nTAdj=50\r\n");
    EXPECT_EQ(world.host.Count("status:  ### Cannot write CLOCK.TXT ###"), 1);
}

TEST_F(HostileWatchDiskTest, ADayFileLargerThanAnyRealOneStaysOnTheWatch) {
    const std::string huge = std::string(2 * 1024 * 1024, '\n');
    std::ofstream(watch.Folder() + "/20140508.TXT", std::ios::binary) << huge;
    Collect();
    EXPECT_TRUE(OnWatch("20140508.TXT"));
    EXPECT_GE(
        world.host.Count("status:  ### 20140508.TXT is too large for a day file: left on the watch ###"), 1);
    EXPECT_FALSE(fs::exists(world.programFolder.File("KiroMeter2/20140508.TXT-001"))) << "not even copied";
    EXPECT_FALSE(OnWatch("20140504.KRO"));
}

TEST_F(HostileWatchDiskTest, CountsMeantToOverflowStopAtTheLimits) {
    std::ofstream(watch.Folder() + "/20140509.TXT", std::ios::binary)
        << "0:00~0:00 2147483647\r\n0:00~0:00 2147483647\r\n0:01~0:01 99999999999999\r\n";
    Collect();
    EXPECT_EQ(world.Month(2014, 5).At(9, 0, 0), 65535);
    EXPECT_EQ(world.Month(2014, 5).At(9, 0, 1), 65535);
    EXPECT_EQ(StoredTotal(), INT_MAX) << "the total stops at the largest value, it does not turn negative";
    EXPECT_EQ(world.app.Config().File().ReadInt("Summary", "TotalSteps", 0), INT_MAX);
}

TEST_F(HostileWatchDiskTest, ClockFileNumbersBeyondTheIntRangeSaturate) {
    std::ofstream(watch.Folder() + "/CLOCK.TXT", std::ios::binary)
        << "TAdj=4294967297\r\nSped=-4294967297\r\n";
    Collect();
    EXPECT_EQ(world.app.watchSettings.tAdj, 99) << "not 1, which the wrapped number would give";
    EXPECT_EQ(world.app.watchSettings.sped, 0);
}

TEST_F(HostileWatchDiskTest, AFileModeDiskAfterADeviceWatchIsReadFromItsFiles) {
    sim::DeviceModeWatch device(world.clock, sim::DeviceWatchOptions{'C', true, 0});
    device.Record(sim::GenerateDay(2014, 4, 30, 3));
    world.machine.PlugIn(device, world.DiskFolder("volume"));
    world.DeliverEvents();
    ASSERT_TRUE(world.app.watch.deviceMode);
    device.Record(sim::GenerateDay(2014, 4, 29, 3));
    const size_t onDevice = device.RecordedHours();
    // The arrival of the file-mode disk, as its first stage handles it.
    const char letter = world.machine.PlugIn(watch);
    ASSERT_TRUE(world.discovery.IsWatchDisk(letter));
    EXPECT_FALSE(world.app.watch.deviceMode);
    world.app.watch.currentDrive = letter;
    world.collector.CollectFromWatch();
    EXPECT_FALSE(OnWatch("20140504.KRO")) << "the day file was taken";
    EXPECT_EQ(device.RecordedHours(), onDevice) << "and the device watch was not read in its place";
}

}  // namespace
}  // namespace kiro
