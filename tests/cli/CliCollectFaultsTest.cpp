// kiro collect from outside, as people and machines do it to the program: killed at any moment,
// run twice at once, on a full disk, in a folder that is gone, on a watch disk that holds more
// than it should. Every minute ends up stored exactly once, and the exit status tells the truth.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "KiroCommand.h"
#include "platform/NativePlatform.h"
#include "support/ProgramFolderState.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;
using test::Kiro;
using test::ShellQuote;

// A watch disk written by kiro simulate, and the program folder it is collected into.
struct Trial {
    explicit Trial(int days) {
        const auto made =
            test::RunCommand(Kiro("simulate " + ShellQuote(disk) + " --from 2014-04-20 --days " +
                                  std::to_string(days) + " --kro --seed 9"));
        EXPECT_EQ(made.exitCode, 0) << made.output;
    }
    std::vector<std::string> CollectArguments(const std::string& programFolder) const {
        return {KIRO_CLI_PATH, "--folder", programFolder, "collect", disk};
    }
    test::CommandResult Collect(const std::string& programFolder) const {
        return test::RunCommand(
            Kiro("--folder " + ShellQuote(programFolder) + " collect " + ShellQuote(disk)));
    }
    size_t DayFilesLeft() const {
        size_t left = 0;
        for (const auto& entry : fs::directory_iterator(disk)) left += entry.path().extension() == ".KRO";
        return left;
    }

    test::TempFolder folder;
    std::string disk = folder.File("disk");
    std::string program = folder.File("program");
};

// What one uninterrupted pass over the same disk stores.
test::ProgramFolderState Reference(int days, std::chrono::microseconds* took = nullptr) {
    Trial reference(days);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(reference.Collect(reference.program).exitCode, 0);
    if (took)
        *took =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    const test::ProgramFolderState stored = test::ReadProgramFolderState(reference.program);
    EXPECT_GT(stored.StoredSteps(), 0);
    return stored;
}

TEST(CliCollectFaultsTest, KilledAtAnyMomentAPassLosesAndDoublesNothing) {
    constexpr int kDays = 60;
    std::chrono::microseconds took{};
    const test::ProgramFolderState expected = Reference(kDays, &took);
    std::mt19937 random(2026);
    std::uniform_int_distribution<long> delay(0, took.count() * 6 / 5);
    for (int trial = 0; trial < 20; ++trial) {
        Trial situation(kDays);
        const long waited = delay(random);
        const int pid = test::StartProgram(situation.CollectArguments(situation.program));
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(waited));
        test::KillProgram(pid);
        test::WaitForProgram(pid);
        const auto next = situation.Collect(situation.program);
        EXPECT_EQ(next.exitCode, 0) << next.output;
        EXPECT_EQ(test::ReadProgramFolderState(situation.program), expected)
            << "killed after " << waited << " us of " << took.count();
        EXPECT_EQ(situation.DayFilesLeft(), 0u);
    }
}

// A device-mode watch keeps what it has handed over in itself: a run killed in the middle of its
// read, then another run while the watch stays plugged in, must not store the rest alone and let
// the watch forget everything. Once plugged in again, the watch hands it all over, and it is
// stored once.
TEST(CliCollectFaultsTest, ADeviceReadKilledAtAnyMomentIsStoredWholeOnceThePlugIsRenewed) {
    const std::string watch = " collect --sim-device x5e:days=30:seed=3 --sim-state ";
    test::TempFolder reference;
    const auto start = std::chrono::steady_clock::now();
    const auto whole = test::RunCommand(Kiro("--folder " + ShellQuote(reference.File("program")) + watch +
                                             ShellQuote(reference.File("watch.state"))));
    const auto took =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(whole.exitCode, 0) << whole.output;
    const test::ProgramFolderState expected = test::ReadProgramFolderState(reference.File("program"));
    ASSERT_GT(expected.StoredSteps(), 0);

    std::mt19937 random(2024);
    std::uniform_int_distribution<long> delay(0, took.count());
    for (int trial = 0; trial < 12; ++trial) {
        test::TempFolder situation;
        const std::string program = ShellQuote(situation.File("program"));
        const std::string state = ShellQuote(situation.File("watch.state"));
        const long waited = delay(random);
        const int pid = test::StartProgram({KIRO_CLI_PATH, "--folder", situation.File("program"), "collect",
                                            "--sim-device", "x5e:days=30:seed=3", "--sim-state",
                                            situation.File("watch.state")});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(waited));
        test::KillProgram(pid);
        test::WaitForProgram(pid);
        // Still plugged in: the read that was cut off is not read on.
        const auto same = test::RunCommand(Kiro("--folder " + program + watch + state));
        if (same.exitCode != 0) {
            EXPECT_NE(same.output.find("### Please plug the watch in again ###"), std::string::npos)
                << same.output;
        }
        const auto renewed =
            test::RunCommand(Kiro("--folder " + program + watch + state + " --plug-in-again"));
        EXPECT_EQ(renewed.exitCode, 0) << renewed.output;
        EXPECT_EQ(test::ReadProgramFolderState(situation.File("program")), expected)
            << "killed after " << waited << " us of " << took.count();
    }
}

TEST(CliCollectFaultsTest, TwoPassesAtOnceOverOneProgramFolderStoreEveryMinuteOnce) {
    constexpr int kDays = 20;
    const test::ProgramFolderState expected = Reference(kDays);
    for (int trial = 0; trial < 20; ++trial) {
        Trial situation(kDays);
        const int first = test::StartProgram(situation.CollectArguments(situation.program));
        const int second = test::StartProgram(situation.CollectArguments(situation.program));
        // The second waits for the first, then finds the disk emptied.
        EXPECT_EQ(test::WaitForProgram(first), 0);
        EXPECT_EQ(test::WaitForProgram(second), 0);
        EXPECT_EQ(test::ReadProgramFolderState(situation.program), expected) << trial;
    }
}

TEST(CliCollectFaultsTest, TwoProgramFoldersNeverTakeTheSameDayFile) {
    constexpr int kDays = 20;
    const test::ProgramFolderState expected = Reference(kDays);
    for (int trial = 0; trial < 20; ++trial) {
        Trial situation(kDays);
        const std::string other = situation.folder.File("other");
        const int first = test::StartProgram(situation.CollectArguments(situation.program));
        const int second = test::StartProgram(situation.CollectArguments(other));
        EXPECT_EQ(test::WaitForProgram(first), 0);
        EXPECT_EQ(test::WaitForProgram(second), 0);
        const auto one = test::ReadProgramFolderState(situation.program);
        const auto two = test::ReadProgramFolderState(other);
        EXPECT_EQ(one.StoredSteps() + two.StoredSteps(), expected.StoredSteps()) << trial;
        EXPECT_EQ(std::stoll("0" + one.totalSteps) + std::stoll("0" + two.totalSteps),
                  expected.StoredSteps());
        EXPECT_EQ(situation.DayFilesLeft(), 0u);
    }
}

TEST(CliCollectFaultsTest, ExitStatusTellsWhatHappened) {
    Trial busy(3);
    // Another program holds the folder: kiro waits a few seconds in all (the settings the disk
    // brings and the pass give up together), then says so and takes nothing.
    NativeFileSystem files;
    std::error_code error;
    fs::create_directories(busy.program);
    auto held = files.TryLock(busy.program + "/KiroMeter2.lock", error);
    ASSERT_TRUE(held) << error.message();
    const auto waited = busy.Collect(busy.program);
    EXPECT_EQ(waited.exitCode, 3) << waited.output;
    EXPECT_NE(waited.output.find("kiro: ### The program folder is busy"), std::string::npos) << waited.output;
    EXPECT_EQ(busy.DayFilesLeft(), 3u);
    held.reset();

    // A day file that cannot be taken: the rest is stored, the status is 1 and says why.
    Trial partly(3);
    std::ofstream(partly.disk + "/20140430.KRO", std::ios::binary) << std::string(100, '\0');
    const auto result = partly.Collect(partly.program);
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_NE(result.output.find("kiro: ### 20140430.KRO could not be stored: left on the watch ###"),
              std::string::npos)
        << result.output;
    EXPECT_EQ(partly.DayFilesLeft(), 1u);
    EXPECT_NE(test::ReadProgramFolderState(partly.program).totalSteps, "");
}

// A folder that goes while a program works in it, and a small file system of its own, are POSIX
// situations: Windows removes no folder a program works in, and mounts nothing for a user.
#if !defined(_WIN32)
TEST(CliCollectFaultsTest, AProgramStartedInAFolderThatIsGoneReadsDefaultsAndWritesNothing) {
    test::TempFolder folder;
    const std::string gone = ShellQuote(folder.File("gone"));
    const std::string inGone = "mkdir " + gone + " && cd " + gone + " && rmdir " + gone + " && ";
    const auto settings = test::RunCommand(inGone + Kiro("settings"));
    EXPECT_EQ(settings.exitCode, 0) << settings.output;
    EXPECT_NE(settings.output.find("Summary.TotalSteps=0\n"), std::string::npos) << settings.output;
    const auto set = test::RunCommand(inGone + Kiro("settings set Advance Language 1"));
    EXPECT_EQ(set.exitCode, 1) << set.output;
    EXPECT_NE(set.output.find("cannot write"), std::string::npos) << set.output;
}

// A small file system of its own, which only root may mount; unmounted again at the end.
class SmallFileSystem {
  public:
    SmallFileSystem(const std::string& where, const char* size) : where_(where) {
        fs::create_directories(where);
        mounted_ = geteuid() == 0 && mount("tmpfs", where.c_str(), "tmpfs", 0, size) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) umount2(where_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    uint64_t FreeBytes() const {
        struct statvfs space {};
        statvfs(where_.c_str(), &space);
        return static_cast<uint64_t>(space.f_bavail) * space.f_frsize;
    }

  private:
    std::string where_;
    bool mounted_ = false;
};

TEST(CliCollectFaultsTest, AProgramFolderOnAFullDiskLosesNothingAndSaysSo) {
    constexpr int kDays = 20;
    const test::ProgramFolderState expected = Reference(kDays);
    Trial situation(kDays);
    const SmallFileSystem small(situation.program, "size=512k");
    if (!small.Mounted()) GTEST_SKIP() << "mounting a small file system needs root";
    // Room for the backups and a month, not for the two months and the settings besides.
    const uint64_t filler = small.FreeBytes() - 160 * 1024;
    situation.folder.Write("program/filler", std::string(filler, '\0'));
    const auto full = situation.Collect(situation.program);
    EXPECT_EQ(full.exitCode, 1) << full.output;
    EXPECT_NE(full.output.find("No space left on device"), std::string::npos) << full.output;
    EXPECT_EQ(situation.DayFilesLeft(), static_cast<size_t>(kDays)) << "the watch keeps everything";
    EXPECT_EQ(test::ReadProgramFolderState(situation.program).StoredSteps(), 0);

    fs::remove(situation.program + "/filler");
    const auto freed = situation.Collect(situation.program);
    EXPECT_EQ(freed.exitCode, 0) << freed.output;
    EXPECT_EQ(test::ReadProgramFolderState(situation.program), expected);
    EXPECT_EQ(situation.DayFilesLeft(), 0u);
}
#endif

}  // namespace
}  // namespace kiro
