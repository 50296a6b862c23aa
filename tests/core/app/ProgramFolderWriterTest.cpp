#include "core/app/ProgramFolderWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "support/ErrorCodes.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

TEST(CommitRecordTest, WholeRecordsOnlyAndOnlyTheProgramsOwnFiles) {
    const CommitRecord record{
        0x5eed, {"Data/Kiro201405.BIN", "KiroMeter2.INI", "ImportJournal.txt"}, {"Data/Kiro201312.BIN"}};
    const std::string text = FormatCommitRecord(record);
    ASSERT_EQ(ParseCommitRecord(text), record);
    // A record cut short anywhere, as a crash while it is written leaves it, is no record.
    for (size_t length = 0; length < text.size(); ++length)
        EXPECT_FALSE(ParseCommitRecord(text.substr(0, length))) << length;
    std::string flipped = text;
    flipped[30] ^= 1;
    EXPECT_FALSE(ParseCommitRecord(flipped)) << "a changed byte";
    EXPECT_FALSE(ParseCommitRecord(text + "x")) << "anything after the check line";
    for (const char* name : {"../KiroMeter2.INI", "/etc/passwd", "KiroMeter2.lock", "Data/Kiro201413.BIN",
                             "Data/KiroABCDEF.BIN", "Data/../KiroMeter2.INI", ""})
        EXPECT_FALSE(ParseCommitRecord(FormatCommitRecord({1, {name}, {}}))) << name;
}

class ProgramFolderWriterTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    NativeFileSystem realFiles;
    sim::FakeClock clock;
    ProgramPaths paths{folder.Path()};

    // The folder as a new start sees it: every file but the lock, by name and content.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(folder.Path()))
            if (entry.is_regular_file() && entry.path().filename() != kLockFileName)
                found[fs::relative(entry.path(), folder.Path()).generic_string()] =
                    folder.Read(fs::relative(entry.path(), folder.Path()).generic_string());
        return found;
    }
    std::error_code CommitThree(FileSystem& files, const std::string& content) {
        ProgramFolderWriter writer(files, clock, paths);
        return writer.Change([&](FolderTransaction& transaction) {
            transaction.Replace("Data/Kiro201404.BIN", content + "-april");
            transaction.Replace("Data/Kiro201405.BIN", content + "-may");
            transaction.Replace(kSettingsFileName, content + "-settings");
            transaction.Remove("Data/Kiro201312.BIN");
        });
    }
};

TEST_F(ProgramFolderWriterTest, ACrashAtAnyStepLeavesAllOrNothingOnceTheNextStartHasRun) {
    folder.Write("Data/Kiro201312.BIN", "december");
    ASSERT_TRUE(test::Ok(CommitThree(realFiles, "old")));
    const auto before = Files();
    test::FaultyFileSystem counting(realFiles);
    ASSERT_TRUE(test::Ok(CommitThree(counting, "new")));
    const auto after = Files();
    ASSERT_NE(before, after);
    folder.Write("Data/Kiro201312.BIN", "december");
    ASSERT_TRUE(test::Ok(CommitThree(realFiles, "old")));

    for (int step = 1; step <= counting.Changes(); ++step) {
        test::FaultyFileSystem crashing(realFiles);
        crashing.CrashAt(step);
        CommitThree(crashing, "new");
        ProgramFolderWriter next(realFiles, clock, paths);
        ASSERT_TRUE(test::Ok(next.RecoverAtStart())) << step;
        const auto now = Files();
        EXPECT_TRUE(now == before || now == after) << "crash before change " << step;
        // Back to the old state for the next step.
        folder.Write("Data/Kiro201312.BIN", "december");
        ASSERT_TRUE(test::Ok(CommitThree(realFiles, "old")));
    }
}

TEST_F(ProgramFolderWriterTest, LeftoversGoAtStartButNothingElse) {
    folder.Write("Data/Kiro201405.BIN.tmp", "staged, never committed");
    folder.Write("KiroMeter2.INI.tmp", "");
    folder.Write("notes.tmp", "the user's own");
    folder.Write("Data/Kiro201405.BIN", "kept");
    ProgramFolderWriter writer(realFiles, clock, paths);
    ASSERT_TRUE(test::Ok(writer.RecoverAtStart()));
    EXPECT_EQ(Files(), (std::map<std::string, std::string>{{"Data/Kiro201405.BIN", "kept"},
                                                           {"notes.tmp", "the user's own"}}));
}

TEST_F(ProgramFolderWriterTest, ARecordThatCannotBeFinishedStopsEveryLaterCommit) {
    folder.Write("Data/Kiro201405.BIN.tmp", "staged");
    folder.Write(kCommitRecordName, FormatCommitRecord({0, {"Data/Kiro201405.BIN"}, {}}));
    test::FaultyFileSystem files(realFiles);
    files.FailPath("Data/Kiro201405.BIN", std::make_error_code(std::errc::io_error));
    ProgramFolderWriter writer(files, clock, paths);
    EXPECT_EQ(writer.RecoverAtStart(), std::errc::io_error);
    // A new commit would stage over the file the record still names.
    EXPECT_EQ(
        writer.Change([](FolderTransaction& transaction) { transaction.Replace(kSettingsFileName, "x"); }),
        std::errc::io_error);
    EXPECT_EQ(folder.Read("Data/Kiro201405.BIN.tmp"), "staged");
    EXPECT_FALSE(fs::exists(folder.File(kSettingsFileName)));

    files.FailPath("", {});
    ASSERT_TRUE(test::Ok(writer.RecoverAtStart()));
    EXPECT_EQ(folder.Read("Data/Kiro201405.BIN"), "staged") << "finished once it can be";
    EXPECT_FALSE(fs::exists(folder.File(kCommitRecordName)));
}

TEST_F(ProgramFolderWriterTest, OneWriterAtATimeWhileHoldsNestWithinOne) {
    ProgramFolderWriter first(realFiles, clock, paths);
    ProgramFolderWriter second(realFiles, clock, paths);
    {
        const ProgramFolderWriter::Hold outer = first.Lock();
        ASSERT_TRUE(outer);
        {
            const ProgramFolderWriter::Hold inner = first.Lock();
            EXPECT_TRUE(inner) << "work pumped inside a collection shares its hold";
        }
        EXPECT_TRUE(first.Locked()) << "the inner hold ends, the outer stays";
        const int sleepsBefore = clock.SleepCount();
        const ProgramFolderWriter::Hold waiting = second.Lock();
        EXPECT_EQ(waiting.Error(), std::errc::device_or_resource_busy);
        EXPECT_EQ(clock.TotalSlept(), kLockWaitMs) << "it waited before it gave up";
        EXPECT_GT(clock.SleepCount(), sleepsBefore);
        EXPECT_EQ(second.Change(
                      [](FolderTransaction& transaction) { transaction.Replace(kSettingsFileName, "x"); }),
                  std::errc::device_or_resource_busy);
    }
    EXPECT_FALSE(first.Locked());
    EXPECT_TRUE(second.Lock()) << "free once the first let go";
}

TEST_F(ProgramFolderWriterTest, NoCommitWithoutTheLockAndNoFileButTheProgramsOwn) {
    ProgramFolderWriter writer(realFiles, clock, paths);
    FolderTransaction outside = writer.Begin();
    outside.Replace(kSettingsFileName, "x");
    EXPECT_EQ(outside.Commit(), std::errc::operation_not_permitted);
    const ProgramFolderWriter::Hold hold = writer.Lock();
    FolderTransaction foreign = writer.Begin();
    foreign.Replace("../elsewhere", "x");
    EXPECT_EQ(foreign.Commit(), std::errc::invalid_argument);
    EXPECT_EQ(Files(), (std::map<std::string, std::string>{}));
}

}  // namespace
}  // namespace kiro
