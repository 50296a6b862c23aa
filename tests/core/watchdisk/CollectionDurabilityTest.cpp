// What a file-mode pass writes, in which order, and what it does when a file cannot be read or
// the program folder is held by another program: a day file leaves the watch only once its backup
// copy and its steps are on the disk, and nothing unread is taken for empty.
#include <gtest/gtest.h>

#include <filesystem>

#include "CollectionWorld.h"
#include "platform/sim/StepGenerator.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

class CollectionDurabilityTest : public ::testing::Test {
  protected:
    test::CollectionWorld world;
    sim::FileModeWatch watch{world.DiskFolder("watch")};

    void SetUp() override {
        watch.AddDay(sim::GenerateDay(2014, 5, 4, 3), sim::DayFileFormat::Text);
        watch.AddDay(sim::GenerateDay(2014, 5, 5, 3), sim::DayFileFormat::Binary);
    }
    void Collect() {
        world.machine.PlugIn(watch);
        world.DeliverEvents();
    }
    bool OnWatch(const std::string& name) const { return fs::exists(watch.Folder() + "/" + name); }
    // The place of the first logged change that starts with `start`; -1 when none.
    int At(const std::string& start) const {
        const std::vector<std::string>& log = world.files.Log();
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].rfind(start, 0) == 0) return static_cast<int>(i);
        return -1;
    }
};

TEST_F(CollectionDurabilityTest, BackupsAndStepsAreOnTheDiskBeforeADayFileLeavesTheWatch) {
    world.files.TrackDurability(world.programFolder.Path());
    Collect();
    ASSERT_FALSE(OnWatch("20140504.TXT"));
    const int record = At("write+flush KiroMeter2.commit");
    ASSERT_GE(record, 0);
    for (const char* backup : {"KiroMeter2/20140504.TXT-001", "KiroMeter2/20140505.KRO-001"}) {
        const int written = At(std::string("write+flush ") + backup);
        ASSERT_GE(written, 0) << backup << " is written flushed";
        EXPECT_LT(written, At("sync KiroMeter2")) << backup;
    }
    EXPECT_LT(At("sync KiroMeter2"), record) << "the backups' names are on the disk before the commit";
    const int removal = At("remove KiroMeter2.commit");
    EXPECT_LT(removal, At("remove " + watch.Folder() + "/20140504.TXT")) << "the commit stands first";
    EXPECT_LT(removal, At("remove " + watch.Folder() + "/20140505.KRO"));
}

TEST_F(CollectionDurabilityTest, ADayFileThatCannotBeReadIsNeitherStoredNorDeleted) {
    world.files.FailRead("20140504.TXT", std::make_error_code(std::errc::io_error));
    Collect();
    EXPECT_TRUE(OnWatch("20140504.TXT")) << "not taken for an empty day";
    EXPECT_FALSE(OnWatch("20140505.KRO")) << "the rest is taken";
    EXPECT_GE(world.host.Count("status:  ### 20140504.TXT could not be stored: left on the watch ###"), 1);
    const MonthBuffer may = world.Month(2014, 5);
    for (int minute = 0; minute < kMinutesPerDay; ++minute)
        ASSERT_EQ(may.minutes[3 * kMinutesPerDay + minute], 0);
    EXPECT_FALSE(world.collector.LastPass().Complete());
}

TEST_F(CollectionDurabilityTest, AnImportJournalThatCannotBeReadStopsThePass) {
    world.programFolder.Write(kJournalFileName, "20140101.KRO 3072 0000000000000001\n");
    world.files.FailRead(kJournalFileName, std::make_error_code(std::errc::io_error));
    Collect();
    EXPECT_TRUE(OnWatch("20140504.TXT"));
    EXPECT_TRUE(OnWatch("20140505.KRO"));
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 5).found);
    EXPECT_EQ(world.programFolder.Read(kJournalFileName), "20140101.KRO 3072 0000000000000001\n")
        << "the journal is never replaced by an empty one";
    EXPECT_GE(world.host.Count("message: ### Data Collection Error ###"), 1);
}

TEST_F(CollectionDurabilityTest, AFolderHeldByAnotherProgramIsReportedBusyWithinOneWait) {
    // Another program holds the folder on the first run: the settings the disk brings and the
    // pass itself give up together.
    NativeFileSystem otherFiles;
    ProgramFolderWriter other(otherFiles, world.clock, world.app.Paths());
    const ProgramFolderWriter::Hold held = other.Lock();
    ASSERT_TRUE(held);
    const uint64_t sleptBefore = world.clock.TotalSlept();
    Collect();
    EXPECT_TRUE(world.collector.LastPass().busy);
    EXPECT_GE(world.host.Count(
                  "status:  ### The program folder is busy: another copy of the program is using it ###"),
              1);
    EXPECT_LE(world.clock.TotalSlept() - sleptBefore, kLockWaitMs);
    EXPECT_TRUE(OnWatch("20140504.TXT"));
}

}  // namespace
}  // namespace kiro
