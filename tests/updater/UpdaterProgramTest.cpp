// The built updater as the desktop program starts it: in the program folder, with no terminal,
// while the old program may not have ended yet. Each run waits its real seconds.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "core/base/ProgramFolder.h"
#include "gui/app/UpdaterImage.h"
#include "platform/NativePlatform.h"
#include "support/ProgramImages.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

int Count(const std::string& text, const std::string& part) {
    int found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

// Runs the updater in `folder`; `onOutput` sees all of its output so far after each piece.
test::CommandResult RunUpdaterIn(const std::string& folder, const test::OutputWatcher& onOutput = nullptr) {
    return test::RunCommand(test::InFolder(folder, test::ShellQuote(KIRO_UPDATER_PATH)), onOutput);
}

// The program the updater replaces, in the test folder.
std::string OldProgram(const test::TempFolder& folder) {
    return folder.File(kProgramFileName);
}

// Calls `free` once the updater has found the old program busy twice, half way to its third
// look: the update then succeeds at the third attempt, however slowly the machine started it.
test::OutputWatcher FreeAfterTwoRefusals(std::function<void()> free) {
    return [free = std::move(free), done = false](const std::string& soFar) mutable {
        if (done || Count(soFar, "Check Old File") < 2) return;
        std::this_thread::sleep_for(500ms);
        free();
        done = true;
    };
}

class UpdaterProgramTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    NativeFileSystem files;
    // A whole build of this test program's kind, which is the updater's.
    const std::string newBuild = test::ProgramImage(20000, 0x61000000);

    void SetUp() override {
        folder.Write(kProgramFileName, "old program");
        folder.Write("tmp/KiroMeter_X5_TMP.BIN", newBuild);
    }
    void ExpectUpdatedAtTheThirdAttempt(const test::CommandResult& run) const {
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(Count(run.output, "Check Old File"), 3) << run.output;
        EXPECT_EQ(Count(run.output, "Update:"), 1);
        EXPECT_TRUE(run.output.ends_with(">>> Update OK <<<\n\n"));
        EXPECT_TRUE(folder.Read(kProgramFileName) == newBuild);
#if !defined(_WIN32)
        EXPECT_TRUE((fs::status(OldProgram(folder)).permissions() & fs::perms::owner_exec) !=
                    fs::perms::none);
#endif
        EXPECT_FALSE(fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN")));
        // Read through a pipe, the output had no terminal: the log holds it too.
        EXPECT_EQ(folder.Read("tmp/KiroMeterUpdater.log"), run.output);
    }
};

TEST_F(UpdaterProgramTest, TheOldProgramIsReplacedOnlyOnceItsLockIsGone) {
    std::error_code error;
    std::unique_ptr<FileLock> lock = files.TryLock(OldProgram(folder), error);
    ASSERT_TRUE(lock) << error.message();
    ExpectUpdatedAtTheThirdAttempt(RunUpdaterIn(folder.Path(), FreeAfterTwoRefusals([&] { lock.reset(); })));
}

TEST_F(UpdaterProgramTest, TheOldProgramIsReplacedOnlyOnceItHasEnded) {
    // This test program, running only the test below that waits.
    fs::copy_file(NativeProcessInfo().OwnProgramPath(), OldProgram(folder),
                  fs::copy_options::overwrite_existing);
    const int running = test::StartProgram({OldProgram(folder), "--gtest_also_run_disabled_tests",
                                            "--gtest_filter=UpdaterOldProgram.DISABLED_RunsUntilEnded"});
    ASSERT_GT(running, 0);
    const auto end = [running] {
        test::KillProgram(running);
        test::WaitForProgram(running);
    };
    const test::CommandResult run = RunUpdaterIn(folder.Path(), FreeAfterTwoRefusals(end));
    if (Count(run.output, "Check Old File") < 2) end();
    ExpectUpdatedAtTheThirdAttempt(run);
}

TEST_F(UpdaterProgramTest, WithoutADownloadTheOldProgramStays) {
    fs::remove(folder.File("tmp/KiroMeter_X5_TMP.BIN"));
    const test::CommandResult run = RunUpdaterIn(folder.Path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Count(run.output, "Check Old File"), 10);
    EXPECT_TRUE(run.output.ends_with("\n\n### Err: Update failed ###\n\n")) << run.output;
    EXPECT_EQ(folder.Read(kProgramFileName), "old program");
}

// Not a test: the running old program, which TheOldProgramIsReplacedOnlyOnceItHasEnded starts from a
// copy of this test program.
TEST(UpdaterOldProgram, DISABLED_RunsUntilEnded) {
    std::this_thread::sleep_for(30s);
}

TEST_F(UpdaterProgramTest, AWorkingDirectoryThatIsGoneIsAFatalStart) {
#if defined(_WIN32)
    GTEST_SKIP() << "Windows does not remove a folder that a process has as its working directory";
#endif
    const std::string gone = folder.File("gone");
    fs::create_directory(gone);
    // Only standard error reaches the pipe.
    const auto result = test::RunCommand(
        "sh -c " + test::ShellQuote("cd " + test::ShellQuote(gone) + " && rmdir " + test::ShellQuote(gone) +
                                    " && exec " + KIRO_UPDATER_PATH + " 2>&1 >/dev/null"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output, "Fatal Error: MFC initialization failed\n");
}

TEST(UpdaterImageTest, TheDesktopProgramCarriesTheUpdaterByteForByte) {
    const std::string file = test::TempFolder::ReadFile(KIRO_UPDATER_PATH);
    ASSERT_FALSE(file.empty());
    const std::span<const uint8_t> image = gui::UpdaterImage();
    EXPECT_TRUE(std::string(image.begin(), image.end()) == file)
        << image.size() << " bytes carried, " << file.size() << " in the file";
}

}  // namespace
}  // namespace kiro
