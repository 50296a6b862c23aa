// The updater's work on a real program folder with a clock that costs no time: the downloaded
// build replaces the program, and whatever goes wrong, the old program stays whole.
#include "core/update/Updater.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "core/update/ProgramLayout.h"
#include "core/update/ProgramSeal.h"
#include "core/update/ProgramStamp.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "support/FaultyFileSystem.h"
#include "support/ProgramImages.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

// The program's file as the system starts it.
#if defined(_WIN32)
const std::string kProgram = "KiroMeter_X5.exe";
#else
const std::string kProgram = "KiroMeter_X5";
#endif

class RecordedOutput final : public UpdaterOutput {
  public:
    void Print(const std::string& text) override { printed += text; }
    std::string printed;
};

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

int Count(const std::string& text, const std::string& part) {
    int found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

// The fake clock, with something that happens in the world during one of the sleeps: between
// two looks of the updater, as the old program ends while it waits.
class ClockWithAlarm final : public Clock {
  public:
    ClockWithAlarm(sim::FakeClock& clock, int atSleep, std::function<void()> alarm)
        : clock_(clock), atSleep_(atSleep), alarm_(std::move(alarm)) {}
    LocalTime Now() const override { return clock_.Now(); }
    LocalTime LocalTimeOf(int64_t secondsSince1970) const override {
        return clock_.LocalTimeOf(secondsSince1970);
    }
    int64_t SecondsOf(const LocalTime& local) const override { return clock_.SecondsOf(local); }
    uint32_t TickCount() const override { return clock_.TickCount(); }
    void Sleep(uint32_t milliseconds) override {
        clock_.Sleep(milliseconds);
        if (++sleeps_ == atSleep_) alarm_();
    }

  private:
    sim::FakeClock& clock_;
    const int atSleep_;
    std::function<void()> alarm_;
    int sleeps_ = 0;
};

bool RunsForEveryone(const std::string& path) {
    const fs::perms all = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (fs::status(path).permissions() & all) == all;
}

class UpdaterTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    NativeFileSystem realFiles;
    sim::FakeClock clock;
    const std::string program = folder.File(kProgram);
    const std::string download = folder.File("tmp/KiroMeter_X5_TMP.BIN");
    const std::string newBuild = test::ProgramImage(20000, 0x61000000);

    void SetUp() override {
        folder.Write(kProgram, "old program");
        folder.Write("tmp/KiroMeter_X5_TMP.BIN", newBuild);
    }
    // What the updater printed.
    std::string Update(FileSystem& files, const std::string& workingDirectory,
                       const SignatureVerifier* signatures = nullptr, Clock* waits = nullptr) {
        RecordedOutput out;
        const UpdaterSetup setup{workingDirectory,
                                 ReadProgramStamp(realFiles, NativeProcessInfo().OwnProgramPath()).kind,
                                 signatures};
        EXPECT_EQ(RunUpdater(files, waits ? *waits : clock, out, setup), 0) << "0 whatever the outcome";
        return out.printed;
    }
    std::string Update(FileSystem& files) { return Update(files, folder.Path()); }
    bool Failed(const std::string& printed) const {
        return printed.ends_with("\n\n### Err: Update failed ###\n\n") &&
               Count(printed, "Check Old File") == 10;
    }
    // Nothing but the old program and the download, as before the update.
    void ExpectUntouched() const {
        EXPECT_EQ(folder.Read(kProgram), "old program");
        EXPECT_TRUE(folder.Read("tmp/KiroMeter_X5_TMP.BIN") == newBuild);
        EXPECT_FALSE(fs::exists(program + ".new")) << "the staged copy is cleaned up";
    }
};

TEST_F(UpdaterTest, ReplacesTheProgramAtTheFirstAttemptOnceTheProgramHadTimeToEnd) {
    // The working directory's trailing separator is not part of the folder.
    const std::string printed = Update(realFiles, folder.Path() + "/");
    EXPECT_EQ(printed,
              "\n+====================================+"
              "\n|            KiroMeter X5            |"
              "\n|              Updater               |"
              "\n+====================================+\n"
              "\n" +
                  folder.Path() +
                  "\n"
                  "\n  Check Old File : " +
                  program +
                  " ..."
                  "\n  Update: " +
                  download + " --> " + kProgram +
                  "\n  ** Done, Remove temp file **"
                  "\n\n>>> Update OK <<<\n\n");
    EXPECT_TRUE(folder.Read(kProgram) == newBuild);
    EXPECT_TRUE(RunsForEveryone(program));
    EXPECT_FALSE(fs::exists(download));
    EXPECT_FALSE(fs::exists(program + ".new"));
    EXPECT_EQ(clock.SleepCount(), 1);
    EXPECT_EQ(clock.TotalSlept(), 2000u);
}

TEST_F(UpdaterTest, AMissingProgramIsSimplyPutInPlace) {
    fs::remove(program);
    EXPECT_TRUE(Update(realFiles).ends_with("\n\n>>> Update OK <<<\n\n"));
    EXPECT_TRUE(folder.Read(kProgram) == newBuild);
    EXPECT_TRUE(RunsForEveryone(program));
}

TEST_F(UpdaterTest, WithoutADownloadTenAttemptsASecondApartFailAndTheProgramStays) {
    fs::remove(download);
    const std::string printed = Update(realFiles);
    EXPECT_TRUE(Failed(printed)) << printed;
    EXPECT_EQ(folder.Read(kProgram), "old program");
    EXPECT_EQ(clock.TotalSlept(), 2000u + 10 * 1000u);
}

TEST_F(UpdaterTest, AProgramStillInUseIsNeverReplaced) {
    std::error_code error;
    const auto stillRunning = realFiles.TryLock(program, error);
    ASSERT_TRUE(stillRunning) << error.message();
    const std::string printed = Update(realFiles);
    EXPECT_TRUE(Failed(printed)) << printed;
    EXPECT_EQ(Count(printed, "Update:"), 0);
    ExpectUntouched();
}

TEST_F(UpdaterTest, AProgramThatEndsWhileTheUpdaterWaitsIsReplacedAtTheNextLook) {
    std::error_code error;
    std::unique_ptr<FileLock> stillRunning = realFiles.TryLock(program, error);
    ASSERT_TRUE(stillRunning) << error.message();
    // Sleeps: the first wait of 2 s, then one after each look that finds the program busy. The
    // program ends during the third sleep, after the second look.
    ClockWithAlarm waits(clock, 3, [&stillRunning] { stillRunning.reset(); });
    const std::string printed = Update(realFiles, folder.Path(), nullptr, &waits);
    EXPECT_TRUE(printed.ends_with("\n\n>>> Update OK <<<\n\n")) << printed;
    EXPECT_EQ(Count(printed, "Check Old File"), 3) << printed;
    EXPECT_EQ(Count(printed, "Update:"), 1);
    EXPECT_EQ(clock.TotalSlept(), 2000u + 2 * 1000u) << "a second between looks";
    EXPECT_TRUE(folder.Read(kProgram) == newBuild);
}

TEST_F(UpdaterTest, AReplacementThatFailsLeavesTheOldProgramAndNoCopyBehind) {
    test::FaultyFileSystem fullDisk(realFiles);
    fullDisk.FailPath(kProgram + ".new", std::make_error_code(std::errc::no_space_on_device));
    EXPECT_TRUE(Failed(Update(fullDisk)));
    ExpectUntouched();

    // The copy is made and made executable, and then cannot take the program's name.
    fs::rename(program, folder.File("elsewhere"));
    fs::create_directory(program);
    folder.Write(kProgram + "/inside", "");
    EXPECT_TRUE(Failed(Update(realFiles)));
    EXPECT_FALSE(fs::exists(program + ".new"));
    EXPECT_TRUE(fs::exists(folder.File(kProgram + "/inside")));
}

TEST_F(UpdaterTest, StoppedAtAnyStepTheFolderHoldsAWholeProgram) {
    test::FaultyFileSystem counting(realFiles);
    Update(counting);
    const int changes = counting.Changes();
    ASSERT_GE(changes, 4) << "copy, executable, rename, folder flush";

    for (int step = 1; step <= changes; ++step) {
        SetUp();
        test::FaultyFileSystem crashing(realFiles);
        crashing.CrashAt(step);
        Update(crashing);
        const std::string now = folder.Read(kProgram);
        EXPECT_TRUE(now == "old program" || (now == newBuild && RunsForEveryone(program)))
            << "stopped before change " << step << ": " << now.size() << " bytes";
        EXPECT_TRUE(folder.Read("tmp/KiroMeter_X5_TMP.BIN") == newBuild)
            << "the download is kept until the end, stopped before change " << step;
    }
}

TEST_F(UpdaterTest, AStaleStagedCopyGoesAndNothingPlantedThereIsWrittenThrough) {
    folder.Write(kProgram + ".new", "left by a run that died");
    EXPECT_TRUE(Update(realFiles).ends_with("\n\n>>> Update OK <<<\n\n"));
    EXPECT_TRUE(folder.Read(kProgram) == newBuild);
    EXPECT_FALSE(fs::exists(program + ".new"));
#if !defined(_WIN32)
    // A link in the staged copy's place: the copy is made anew, never through it.
    SetUp();
    folder.Write("elsewhere", "someone else's file");
    fs::create_symlink(folder.File("elsewhere"), program + ".new");
    EXPECT_TRUE(Update(realFiles).ends_with("\n\n>>> Update OK <<<\n\n"));
    EXPECT_TRUE(folder.Read(kProgram) == newBuild);
    EXPECT_EQ(folder.Read("elsewhere"), "someone else's file");
#endif
}

TEST_F(UpdaterTest, TheFolderIsFlushedAfterTheProgramIsRenamedIntoIt) {
    test::FaultyFileSystem watched(realFiles);
    Update(watched);
    const std::vector<std::string>& steps = watched.Log();
    const auto renamed = std::find_if(steps.begin(), steps.end(), [this](const std::string& step) {
        return step.starts_with("rename ") && step.ends_with(" " + program);
    });
    ASSERT_NE(renamed, steps.end()) << ::testing::PrintToString(steps);
    EXPECT_NE(std::find(renamed, steps.end(), "sync " + folder.Path()), steps.end())
        << "a power cut could otherwise bring back the old name: " << ::testing::PrintToString(steps);
}

TEST_F(UpdaterTest, ADownloadThatIsNoWholeBuildOfThisKindIsRefusedAndRemoved) {
    std::string otherKind = newBuild;
    const size_t machineAt = otherKind.starts_with("MZ") ? *FindPeHeader(Bytes(otherKind)) + 4 : 0x12;
    otherKind[machineAt] = static_cast<char>(otherKind[machineAt] ^ 0x40);
    ASSERT_TRUE(SealProgram({reinterpret_cast<uint8_t*>(otherKind.data()), otherKind.size()}));
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } rows[] = {
        {"cut short", newBuild.substr(0, newBuild.size() - 1), "cut short or changed"},
        {"changed after it was sealed", test::Altered(newBuild, 12345), "cut short or changed"},
        {"of another processor", otherKind, "not a program for this system"},
        {"no program at all", "new program", "not a program for this system"},
    };
    for (const auto& row : rows) {
        folder.Write("tmp/KiroMeter_X5_TMP.BIN", row.bytes);
        const std::string printed = Update(realFiles);
        EXPECT_NE(printed.find(std::string("Refused: ") + download + " (" + row.reason + ")"),
                  std::string::npos)
            << row.what << printed;
        EXPECT_TRUE(printed.ends_with("\n\n### Err: Update failed ###\n\n")) << row.what;
        EXPECT_EQ(Count(printed, "Check Old File"), 0) << row.what << ": refused before anything is touched";
        EXPECT_EQ(folder.Read(kProgram), "old program") << row.what;
        EXPECT_FALSE(fs::exists(download)) << row.what << ": not offered again";
    }
}

TEST_F(UpdaterTest, AtTheRootThePathsTakeTwoSeparators) {
    // Every change refused: nothing is written at the real root.
    test::FaultyFileSystem readOnly(realFiles);
    readOnly.FailFrom(1, std::make_error_code(std::errc::read_only_file_system));
#if defined(_WIN32)
    const std::string root = "C:\\";  // "C:" alone would be the drive's current folder
#else
    const std::string root = "/";
#endif
    const std::string printed = Update(readOnly, root);
    EXPECT_NE(printed.find("+\n\n" + root + "\n\n  Check Old File : " + root + "/" + kProgram + " ..."),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("\n  Update: " + root + "/tmp/KiroMeter_X5_TMP.BIN --> " + kProgram),
              std::string::npos);
}

}  // namespace
}  // namespace kiro
