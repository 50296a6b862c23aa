// Whole collection passes against the simulated watch, in each of its three sources, and the
// faults a pass must survive without losing or doubling steps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "CollectionWorld.h"
#include "core/watch/ConfigBlock.h"
#include "platform/sim/StepGenerator.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

// A folder in the way of a month's temporary file: that month cannot be written.
// A month file that can be neither staged nor replaced, as on a full disk.
void BlockMonth(test::FaultyFileSystem& files, const std::string& month) {
    files.FailPath("Data/Kiro" + month + ".BIN", std::make_error_code(std::errc::no_space_on_device));
}

int64_t Sum(const sim::DaySteps& day) {
    return std::accumulate(day.minutes.begin(), day.minutes.end(), int64_t{0});
}

class FileModeCollectionTest : public ::testing::Test {
  protected:
    test::CollectionWorld world;
    sim::FileModeWatch watch{world.DiskFolder("watch")};
    std::vector<sim::DaySteps> days = sim::GenerateDays(2014, 5, 4, 3, 7);

    void SetUp() override {
        watch.AddDay(days[0], sim::DayFileFormat::Text);
        watch.AddDay(days[1], sim::DayFileFormat::Binary);
        watch.AddDay(days[2], sim::DayFileFormat::Binary);
        watch.WriteClockFile(LocalTime{2014, 5, 1, 8, 0, 0, 4});
    }
    bool OnWatch(const std::string& name) const { return fs::exists(watch.Folder() + "/" + name); }
};

TEST_F(FileModeCollectionTest, APassStoresEveryMinuteKeepsBackupsAndEmptiesTheWatch) {
    const char letter = world.machine.PlugIn(watch);
    ASSERT_EQ(letter, 'D');
    world.DeliverEvents();

    const MonthBuffer may = world.Month(2014, 5);
    for (int i : {1, 2})
        for (int minute = 0; minute < 1440; ++minute)
            ASSERT_EQ(may.At(days[i].day, minute / 60, minute % 60), days[i].minutes[minute]) << minute;
    int64_t textDay = 0;
    for (int minute = 0; minute < 1440; ++minute) textDay += may.At(4, minute / 60, minute % 60);
    EXPECT_EQ(textDay, Sum(days[0])) << "a text day keeps its total, spread over its periods";

    const SettingsValues& v = world.app.Config().Values();
    EXPECT_EQ(v.totalSteps, Sum(days[0]) + Sum(days[1]) + Sum(days[2]));
    EXPECT_EQ(world.app.Config().File().ReadInt("Summary", "TotalSteps", 0), v.totalSteps);
    EXPECT_FALSE(OnWatch("20140504.TXT"));
    EXPECT_FALSE(OnWatch("20140505.KRO"));
    EXPECT_TRUE(fs::exists(world.programFolder.File("KiroMeter2/20140505.KRO-001")));
    EXPECT_TRUE(fs::exists(world.programFolder.File("KiroMeter2/20140504.TXT-001")));
    const std::string marker = watch.Folder() + "/USBWATCH.DAT";
    EXPECT_TRUE(world.machine.attributes.IsHidden(marker));
    const std::string markerBytes = test::TempFolder::ReadFile(marker);
    ASSERT_EQ(markerBytes.size(), 80u) << "the marker holds the path it was made by, then zeros";
    EXPECT_EQ(markerBytes.substr(0, marker.size() + 1), marker + std::string(1, '\0'));
    EXPECT_EQ(v.displayMode, 0) << "a watch holding a text day file shows periods";

    const auto statuses = world.host.Lines("status: ");
    ASSERT_GE(statuses.size(), 3u);
    EXPECT_EQ(statuses[0], "status:  New coming Disk-D:");
    EXPECT_EQ(statuses[1], "status:  Collecting data from Disk-D:");
    EXPECT_EQ(statuses[2], "status:  >>> Collecting D: Complete <<<");
    EXPECT_EQ(world.host.Lines("ask: ").front(), "ask: Find Kiro USB Disk (Disk-D), Start to collect data ?");
    EXPECT_EQ(world.app.watch.currentDrive, 'D');
    EXPECT_EQ(world.app.watch.busyDrive, 0);
}

TEST_F(FileModeCollectionTest, SettingsComeBackFromClockTxt) {
    std::ofstream(watch.Folder() + "/CLOCK.TXT", std::ios::binary)
        << "UStr=Hello\r\nSped=7\r\nDisp=KAAAAAAAA\r\n";
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_EQ(world.app.watchSettings.sped, 7);
    EXPECT_EQ(world.app.watchSettings.disp[0], 9);
    EXPECT_EQ(world.app.watchSettings.uStr, "Hello\n");
}

TEST_F(FileModeCollectionTest, AnsweringNoCollectsNothingButReadsTheSettingsBack) {
    std::ofstream(watch.Folder() + "/CLOCK.TXT", std::ios::binary) << "Sped=2\r\n";
    world.host.answers = {false, false};
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 5).found);
    EXPECT_TRUE(OnWatch("20140505.KRO"));
    EXPECT_EQ(world.app.watchSettings.sped, 2);
}

TEST_F(FileModeCollectionTest, AutoConfirmAsksNothing) {
    world.app.Config().SetAutoConfirm(true);
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_TRUE(world.host.Lines("ask: ").empty());
    EXPECT_FALSE(OnWatch("20140505.KRO"));
}

TEST_F(FileModeCollectionTest, ADayFileStoredButNotDeletedIsNeverCountedTwice) {
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    const MonthBuffer once = world.Month(2014, 5);
    const int totalOnce = world.app.Config().Values().totalSteps;
    // The pass stopped after storing the day file, before it was deleted from the watch.
    fs::copy_file(world.programFolder.File("KiroMeter2/20140505.KRO-001"), watch.Folder() + "/20140505.KRO");
    world.machine.Unplug('D');
    world.DeliverEvents();
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_EQ(world.Month(2014, 5).minutes, once.minutes);
    EXPECT_EQ(world.app.Config().Values().totalSteps, totalOnce);
    EXPECT_FALSE(OnWatch("20140505.KRO")) << "the file already stored is taken off the watch";
    EXPECT_TRUE(fs::exists(world.programFolder.File("KiroMeter2/20140505.KRO-002")))
        << "a backup is still made";
}

TEST_F(FileModeCollectionTest, AMonthThatCannotBeWrittenLeavesTheDayFilesOnTheWatch) {
    BlockMonth(world.files, "201405");
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_TRUE(OnWatch("20140504.TXT"));
    EXPECT_TRUE(OnWatch("20140505.KRO"));
    EXPECT_EQ(world.app.Config().Values().totalSteps, 0);
    // One commit a pass: the arrival's pass and the rescan's each report it once.
    EXPECT_EQ(world.host.Count("message: ### Data Collection Error ###"), 2);
    // Once the store can be written again, the next pass takes everything exactly once.
    world.files.FailPath("", {});
    world.machine.Unplug('D');
    world.DeliverEvents();
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_EQ(world.app.Config().Values().totalSteps, Sum(days[0]) + Sum(days[1]) + Sum(days[2]));
}

TEST_F(FileModeCollectionTest, ShortBinaryDayFileFailsAndStaysOnTheWatch) {
    std::ofstream(watch.Folder() + "/20140610.KRO", std::ios::binary) << std::string(3000, '\0');
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_TRUE(OnWatch("20140610.KRO"));
    EXPECT_TRUE(fs::exists(world.programFolder.File("KiroMeter2/20140610.KRO-001")));
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 6).found) << "no month of zeros for a day file refused";
    // The arrival's pass and the rescan that follows every device change both meet it.
    EXPECT_EQ(world.host.Count("message: ### Data Collection Error ###"), 2);
}

TEST_F(FileModeCollectionTest, NamesWithoutAValidDateStayOnTheWatch) {
    for (const char* name : {"20111231.TXT", "20140532.KRO", "NOTES001.TXT"})
        std::ofstream(watch.Folder() + "/" + name) << "10:00~10:00 5\n";
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    for (const char* name : {"20111231.TXT", "20140532.KRO", "NOTES001.TXT"})
        EXPECT_TRUE(OnWatch(name)) << name;
}

TEST_F(FileModeCollectionTest, BackupNumbersRunUpTo99AndThenReuse99) {
    fs::create_directories(world.programFolder.File("KiroMeter2"));
    for (int n = 1; n <= 99; ++n)
        std::ofstream(world.programFolder.File("KiroMeter2/20140504.TXT-" + std::string(n < 10 ? "00" : "0") +
                                               std::to_string(n)))
            << "old";
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_NE(world.programFolder.Read("KiroMeter2/20140504.TXT-099"), "old");
}

TEST_F(FileModeCollectionTest, RunningMissionsCountStepsAndActiveMinutes) {
    MissionSettings mission;
    mission.status = 1;
    world.app.Config().SetMission(MissionId::A, mission);
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    const SettingsValues& v = world.app.Config().Values();
    EXPECT_EQ(v.missionA.curSteps, v.totalSteps);
    EXPECT_GT(v.missionA.curPeriodM, 0);
    EXPECT_EQ(v.missionB.curSteps, 0) << "a mission that does not run counts nothing";
    int active = 0;
    for (int i : {1, 2})
        for (int minute = 0; minute < 1440; ++minute) active += days[i].minutes[minute] > 5;
    EXPECT_GE(v.missionA.curPeriodM, active);
}

TEST_F(FileModeCollectionTest, AnArrivalDuringThePassIsHandledAfterIt) {
    const char letter = world.machine.PlugIn(watch);
    bool delivered = false;
    world.host.onPump = [&] {
        if (delivered || world.app.watch.busyDrive == 0) return;
        delivered = true;
        world.discovery.OnDeviceChange({DeviceChange::Kind::VolumeArrival, LetterBit(letter)});
    };
    world.DeliverEvents();
    ASSERT_TRUE(delivered);
    const auto& log = world.host.Log();
    const auto first = std::find(log.begin(), log.end(), "status:  Collecting data from Disk-D:");
    const auto done = std::find(first, log.end(), "status:  >>> Collecting D: Complete <<<");
    ASSERT_NE(done, log.end());
    EXPECT_EQ(std::count(first, done, "status:  Collecting data from Disk-D:"), 1)
        << "no pass inside the pass";
    EXPECT_EQ(std::count(first, done, "status:  New coming Disk-D:"), 0) << "the arrival waited for the pass";
    EXPECT_EQ(std::count(done, log.end(), "status:  New coming Disk-D:"), 1) << "and was handled after it";
    EXPECT_EQ(world.app.Config().Values().totalSteps, Sum(days[0]) + Sum(days[1]) + Sum(days[2]));
}

TEST_F(FileModeCollectionTest, RemovalResetsTheWatch) {
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    world.app.watchSettings.sped = 1;
    world.host.Clear();
    world.machine.Unplug('D');
    world.DeliverEvents();
    EXPECT_EQ(world.app.watch.currentDrive, 0);
    EXPECT_EQ(world.app.watchSettings.sped, 4);
    EXPECT_EQ(world.app.timeAdjustMode, kTimeAdjustManual);
    const auto& log = world.host.Log();
    const std::vector<std::string> expected = {"status:  Remove Disk-D:", "label: Not found Kiro-Disk",
                                               "status:  Remove Disk-D: done", "data-changed"};
    ASSERT_GE(log.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), log.begin()));
}

class DeviceModeCollectionTest : public ::testing::TestWithParam<char> {
  protected:
    test::CollectionWorld world;
    sim::DeviceModeWatch watch{world.clock, sim::DeviceWatchOptions{GetParam(), true, 30}};
    // A model C watch hands over at most 28 hours a pass (four pages), a model E up to 99
    // blocks of 12 hours: the E watch's days cross into May.
    std::vector<sim::DaySteps> days =
        GetParam() == 'E' ? sim::GenerateDays(2014, 4, 28, 5, 11) : sim::GenerateDays(2014, 4, 30, 1, 11);

    void SetUp() override {
        for (const auto& day : days) watch.Record(day);
    }
};

TEST_P(DeviceModeCollectionTest, APassStoresEveryDayAndTheWatchForgetsIt) {
    const char letter = world.machine.PlugIn(watch, world.DiskFolder("volume"));
    world.DeliverEvents();
    EXPECT_EQ(world.app.watch.currentDrive, letter);
    EXPECT_TRUE(world.app.watch.deviceMode);
    EXPECT_EQ(world.app.Config().Values().displayMode, 1);
    EXPECT_EQ(world.app.timeAdjustMode, kTimeAdjustAuto);

    int64_t stored = 0;
    for (const auto& day : days) {
        const MonthBuffer month = world.Month(day.year, day.month);
        for (int minute = 0; minute < 1440; minute += 10) {
            int watchTen = 0, storedTen = 0;
            for (int m = minute; m < minute + 10; ++m) {
                watchTen += day.minutes[m];
                storedTen += month.At(day.day, m / 60, m % 60);
            }
            // Pages hold two minutes per count and blocks five: ten minutes always agree.
            ASSERT_EQ(storedTen, watchTen) << day.day << " " << minute;
        }
        stored += Sum(day);
    }
    EXPECT_EQ(world.app.Config().Values().totalSteps, stored);
    EXPECT_EQ(watch.RecordedHours(), 0u) << "the watch forgot what it handed over";
    EXPECT_EQ(world.host.Lines("message: Driver").size(), 2u)
        << "a clock report after each of the two passes";
}

TEST_P(DeviceModeCollectionTest, AStoreThatCannotBeWrittenKeepsTheDataOnTheWatch) {
    BlockMonth(world.files, GetParam() == 'E' ? "201405" : "201404");
    world.machine.PlugIn(watch, world.DiskFolder("volume"));
    world.DeliverEvents();
    EXPECT_GT(watch.RecordedHours(), 0u);
    EXPECT_EQ(world.app.Config().Values().totalSteps, 0);
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 4).found)
        << "nothing is stored of a read not stored whole";
    EXPECT_GE(world.host.Count("message: ### Data Collection Error ###"), 1);
}

TEST_P(DeviceModeCollectionTest, CollectFlagOffGivesOnlyTheSettings) {
    sim::DeviceModeWatch quiet(world.clock, sim::DeviceWatchOptions{GetParam(), false, 0});
    quiet.Record(days[0]);
    world.machine.PlugIn(quiet, world.DiskFolder("volume"));
    world.DeliverEvents();
    EXPECT_TRUE(world.host.Lines("ask: ").empty());
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 4).found);
    EXPECT_EQ(world.app.watch.currentDrive, 'D');
}

TEST_P(DeviceModeCollectionTest, AWatchWithoutAVolumeIsFoundByItsDevicePath) {
    world.machine.PlugInWithoutVolume(watch);
    world.DeliverEvents();
    EXPECT_EQ(world.app.watch.currentDrive, '*');
    EXPECT_EQ(world.host.Lines("ask: ").front(), "ask: Find Kiro USB Disk (Disk-*), Start to collect data ?");
    EXPECT_EQ(watch.RecordedHours(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Models, DeviceModeCollectionTest, ::testing::Values('C', 'E'));

TEST(ClockReportTest, TheWatchDriftGivesTheCorrectionAtCollection) {
    test::CollectionWorld world;
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'C', true, 20});
    // Set the watch's clock, let four days pass, and collect.
    ConfigBlock block = BuildConfigBlock(WatchSettings{}, 'C', world.clock.Now(), false);
    ScsiRequest write;
    write.commandBlock[0] = 0xFE;
    write.commandBlock[1] = 0x01;
    write.direction = DataDirection::ToDevice;
    write.buffer = block.data();
    write.length = 256;
    watch.Answer(write);
    world.clock.Advance(4u * 86400u * 1000u);
    world.machine.PlugIn(watch, world.DiskFolder("volume"));
    world.DeliverEvents();
    EXPECT_EQ(world.app.watchSettings.tAdj, -20);
    const auto messages = world.host.Lines("message: Driver D:");
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages.front().find("Difference:        80 sec /   4 days"), std::string::npos)
        << messages.front();
}

}  // namespace
}  // namespace kiro
