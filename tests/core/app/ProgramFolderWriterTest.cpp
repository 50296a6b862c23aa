#include "core/store/ProgramFolderWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "core/base/Fnv1a.h"
#include "core/base/Format.h"
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
        {{"Data/Kiro201405.BIN", 0x5eed}, {"KiroMeter2.INI", 1}, {"ImportJournal.txt", 2}},
        {"Data/Kiro201312.BIN"}};
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
        EXPECT_FALSE(ParseCommitRecord(FormatCommitRecord({{{name, 1}}, {}}))) << name;
    // The earlier format, whose staged files carry no hash, is still a record.
    const std::string earlierText = "KiroMeter commit record\nreplace KiroMeter2.INI\n";
    const auto earlier =
        ParseCommitRecord(earlierText + "check " +
                          Format("%016llx", static_cast<unsigned long long>(Fnv1a(earlierText))) + "\n");
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->replaced, (std::vector<StagedFile>{{"KiroMeter2.INI", 0}}));
    EXPECT_EQ(StagedNameOf({"KiroMeter2.INI", 0}), "KiroMeter2.INI.tmp");
    EXPECT_EQ(StagedNameOf({"Data/Kiro201405.BIN", 0x5eed}), "Data/Kiro201405.BIN.0000000000005eed.tmp");
    for (const char* staged : {"KiroMeter2.INI.tmp", "Data/Kiro201405.BIN.0000000000005eed.tmp"})
        EXPECT_TRUE(IsStagedName(staged)) << staged;
    for (const char* other :
         {"notes.tmp", "KiroMeter2.INI.5eed.tmp", "Data/Kiro201405.BIN.000000000000XYZ1.tmp",
          "KiroMeter2.lock.0000000000005eed.tmp"})
        EXPECT_FALSE(IsStagedName(other)) << other;
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
    folder.Write(kCommitRecordName, FormatCommitRecord({{{"Data/Kiro201405.BIN", 0}}, {}}));
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

TEST_F(ProgramFolderWriterTest, WhoeverTakesTheLockFinishesALeftRecordFirst) {
    folder.Write("Data/Kiro201312.BIN", "december");
    ASSERT_TRUE(test::Ok(CommitThree(realFiles, "old")));
    // A second program started while the folder was whole: its start found nothing to finish.
    ProgramFolderWriter waiting(realFiles, clock, paths);
    ASSERT_TRUE(test::Ok(waiting.RecoverAtStart()));
    // The first dies right after its record reached the disk, before any rename.
    test::FaultyFileSystem counting(realFiles);
    ASSERT_TRUE(test::Ok(CommitThree(counting, "new")));
    const auto after = Files();
    ASSERT_TRUE(test::Ok(CommitThree(realFiles, "old")));
    test::FaultyFileSystem dying(realFiles);
    dying.TrackDurability(folder.Path());
    int firstRename = 0;
    for (int change = 1; change <= counting.Changes(); ++change)
        if (counting.Log()[change - 1].rfind("rename ", 0) == 0 && !firstRename) firstRename = change;
    dying.CrashAt(firstRename);
    CommitThree(dying, "new");
    ASSERT_TRUE(fs::exists(folder.File(kCommitRecordName)));

    const ProgramFolderWriter::Hold hold = waiting.Lock();
    ASSERT_TRUE(hold);
    EXPECT_EQ(Files(), after) << "the commit is whole before the lock is handed over";
}

TEST_F(ProgramFolderWriterTest, AStaleRecordInstallsOnlyTheFilesOfItsOwnCommit) {
    folder.Write("Data/Kiro201405.BIN", "committed since");
    // A record whose renames were done (its staged file is gone), left by a power cut that took
    // its removal back, and a file another commit staged for the same month.
    folder.Write(kCommitRecordName,
                 FormatCommitRecord({{{"Data/Kiro201405.BIN", StagedContentHash("its own content")}}, {}}));
    folder.Write(StagedNameOf({"Data/Kiro201405.BIN", StagedContentHash("staged by another commit")}),
                 "staged by another commit");
    ProgramFolderWriter writer(realFiles, clock, paths);
    ASSERT_TRUE(test::Ok(writer.RecoverAtStart()));
    EXPECT_EQ(Files(), (std::map<std::string, std::string>{{"Data/Kiro201405.BIN", "committed since"}}));
}

TEST_F(ProgramFolderWriterTest, AFolderFoundBusyIsNotWaitedForTwiceInARow) {
    ProgramFolderWriter first(realFiles, clock, paths);
    ProgramFolderWriter second(realFiles, clock, paths);
    const ProgramFolderWriter::Hold held = first.Lock();
    ASSERT_TRUE(held);
    EXPECT_EQ(second.Lock().Error(), std::errc::device_or_resource_busy);
    EXPECT_EQ(second.ReadLock().Error(), std::errc::device_or_resource_busy);
    EXPECT_EQ(clock.TotalSlept(), kLockWaitMs) << "one wait in all for one action's locks";
    clock.Advance(kLockWaitMs);
    EXPECT_EQ(second.Lock().Error(), std::errc::device_or_resource_busy);
    EXPECT_EQ(clock.TotalSlept(), 2 * kLockWaitMs) << "a later action waits again";
}

TEST_F(ProgramFolderWriterTest, ReadersShareTheLockAndAreKeptApartFromAWriter) {
    ProgramFolderWriter reader(realFiles, clock, paths);
    ProgramFolderWriter otherReader(realFiles, clock, paths);
    ProgramFolderWriter writer(realFiles, clock, paths);
    {
        const ProgramFolderWriter::Hold one = reader.ReadLock();
        const ProgramFolderWriter::Hold two = otherReader.ReadLock();
        EXPECT_TRUE(one && two) << "readers read side by side";
        EXPECT_FALSE(reader.Locked());
        EXPECT_EQ(writer.Lock().Error(), std::errc::device_or_resource_busy);
        EXPECT_EQ(reader.Lock().Error(), std::errc::resource_deadlock_would_occur)
            << "a reader that asks to write would wait for itself";
    }
    clock.Advance(kLockWaitMs);
    const ProgramFolderWriter::Hold writing = writer.Lock();
    ASSERT_TRUE(writing);
    EXPECT_TRUE(writer.ReadLock()) << "the writer reads inside its own hold";
    EXPECT_EQ(reader.ReadLock().Error(), std::errc::device_or_resource_busy);
}

TEST_F(ProgramFolderWriterTest, AReaderFindingARecordFinishesItBeforeItReads) {
    folder.Write("Data/Kiro201405.BIN", "old");
    const StagedFile month{"Data/Kiro201405.BIN", StagedContentHash("new")};
    const StagedFile settings{kSettingsFileName, StagedContentHash("settings")};
    folder.Write(StagedNameOf(month), "new");
    folder.Write(StagedNameOf(settings), "settings");
    folder.Write(kCommitRecordName, FormatCommitRecord({{month, settings}, {}}));
    ProgramFolderWriter reader(realFiles, clock, paths);
    const ProgramFolderWriter::Hold reading = reader.ReadLock();
    ASSERT_TRUE(reading);
    EXPECT_EQ(Files(), (std::map<std::string, std::string>{{"Data/Kiro201405.BIN", "new"},
                                                           {kSettingsFileName, "settings"}}));
}

// Another program reads while a commit stands still at any step (it waits, then hears that the
// folder is busy), or after the commit died there (it finishes the commit first): never between.
TEST_F(ProgramFolderWriterTest, AReaderSeesTheFolderBeforeOrAfterACommitNeverBetween) {
    folder.Write("Data/Kiro201312.BIN", "december");
    ASSERT_TRUE(test::Ok(CommitThree(realFiles, "old")));
    const auto before = Files();
    test::FaultyFileSystem counting(realFiles);
    ASSERT_TRUE(test::Ok(CommitThree(counting, "new")));
    const auto after = Files();
    const auto read = [&] {
        ProgramFolderWriter reader(realFiles, clock, paths);
        const ProgramFolderWriter::Hold reading = reader.ReadLock();
        clock.Advance(kLockWaitMs);
        if (!reading) return std::optional<std::map<std::string, std::string>>();
        // What a reader reads: the committed files, whatever was staged beside them.
        auto committed = Files();
        std::erase_if(committed, [](const auto& file) { return IsStagedName(file.first); });
        return std::optional(committed);
    };
    for (int step = 1; step <= counting.Changes(); ++step) {
        folder.Write("Data/Kiro201312.BIN", "december");
        ASSERT_TRUE(test::Ok(CommitThree(realFiles, "old")));
        test::FaultyFileSystem stalled(realFiles);
        std::optional<std::map<std::string, std::string>> seenDuring;
        bool asked = false;
        stalled.BeforeChange(step, [&] {
            asked = true;
            seenDuring = read();
        });
        CommitThree(stalled, "new");
        ASSERT_TRUE(asked);
        EXPECT_FALSE(seenDuring) << "a commit stands still before change " << step << ": busy, nothing read";

        folder.Write("Data/Kiro201312.BIN", "december");
        ASSERT_TRUE(test::Ok(CommitThree(realFiles, "old")));
        test::FaultyFileSystem crashing(realFiles);
        crashing.CrashAt(step);
        CommitThree(crashing, "new");
        const auto seenAfter = read();
        ASSERT_TRUE(seenAfter) << step;
        EXPECT_TRUE(*seenAfter == before || *seenAfter == after) << "a commit died before change " << step;
    }
}

TEST_F(ProgramFolderWriterTest, EverythingACommitNeedsIsFlushedBeforeTheStepThatReliesOnIt) {
    folder.Write("Data/Kiro201312.BIN", "december");
    test::FaultyFileSystem files(realFiles);
    files.TrackDurability(folder.Path());
    ASSERT_TRUE(test::Ok(CommitThree(files, "new")));
    const std::vector<std::string>& log = files.Log();
    const auto at = [&log](const std::string& start) {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].rfind(start, 0) == 0) return static_cast<int>(i);
        return -1;
    };
    const auto last = [&log](const std::string& start) {
        int found = -1;
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].rfind(start, 0) == 0) found = static_cast<int>(i);
        return found;
    };
    const int record = at("write+flush KiroMeter2.commit");
    ASSERT_GE(record, 0);
    EXPECT_LT(last("write+flush Data/Kiro"), record) << "every staged month flushed before the record";
    EXPECT_LT(last("write+flush KiroMeter2.INI."), record);
    EXPECT_LT(at("sync Data"), record) << "the staged names in Data are on the disk first";
    EXPECT_EQ(log[record - 1], "sync .") << "and those of the folder, with the last record's removal";
    EXPECT_EQ(log[record + 1], "sync .") << "the record's own name";
    const int removal = at("remove KiroMeter2.commit");
    EXPECT_LT(last("rename "), removal);
    EXPECT_LT(last("remove Data/"), removal);
    EXPECT_GT(last("sync Data"), last("rename ")) << "Data flushed after its renames";
    EXPECT_EQ(log[removal - 1], "sync .") << "the folder flushed after its renames, before the record goes";
}

TEST_F(ProgramFolderWriterTest, APowerCutAtAnyStepOfTwoCommitsLeavesOneWholeState) {
    folder.Write("Data/Kiro201312.BIN", "december");
    test::FaultyFileSystem counting(realFiles);
    ASSERT_TRUE(test::Ok(CommitThree(counting, "old")));
    const auto old = Files();
    ASSERT_TRUE(test::Ok(CommitThree(counting, "new")));
    const auto after = Files();
    const int changes = counting.Changes();

    for (int step = 1; step <= changes; ++step) {
        for (const auto& entry : fs::directory_iterator(folder.Path())) fs::remove_all(entry.path());
        folder.Write("Data/Kiro201312.BIN", "december");
        const auto before = Files();
        {
            // Both commits through one file system that keeps only what was flushed when the
            // power goes.
            test::FaultyFileSystem cut(realFiles);
            cut.TrackDurability(folder.Path());
            cut.PowerCutAt(step);
            CommitThree(cut, "old");
            CommitThree(cut, "new");
        }
        // The next start loses its power too, at any step of its recovery, before a last start.
        // (Entry by entry: copying a folder onto one that exists fails on Windows.)
        const auto copyContents = [](const std::string& from, const std::string& to) {
            for (const auto& entry : fs::directory_iterator(from))
                fs::copy(entry.path(), fs::path(to) / entry.path().filename(), fs::copy_options::recursive);
        };
        test::TempFolder leftBehind;
        copyContents(folder.Path(), leftBehind.Path());
        test::FaultyFileSystem recovering(realFiles);
        ProgramFolderWriter(recovering, clock, paths).RecoverAtStart();
        for (int recoveryStep = 1; recoveryStep <= recovering.Changes() + 1; ++recoveryStep) {
            for (const auto& entry : fs::directory_iterator(folder.Path())) fs::remove_all(entry.path());
            copyContents(leftBehind.Path(), folder.Path());
            {
                test::FaultyFileSystem cut(realFiles);
                cut.TrackDurability(folder.Path());
                cut.PowerCutAt(recoveryStep);
                ProgramFolderWriter(cut, clock, paths).RecoverAtStart();
            }
            ProgramFolderWriter next(realFiles, clock, paths);
            ASSERT_TRUE(test::Ok(next.RecoverAtStart())) << step;
            const auto now = Files();
            EXPECT_TRUE(now == before || now == old || now == after)
                << "power cut before change " << step << ", then before change " << recoveryStep
                << " of recovery";
        }
    }
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
