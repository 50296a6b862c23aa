// The built updater as the desktop program starts it: in the program folder, with no terminal,
// while the old program may not have ended yet. Each run waits its real seconds.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>

#include "gui/app/UpdaterImage.h"
#include "platform/NativePlatform.h"
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

struct UpdaterRun {
    int exitCode = -1;
    std::string output;
};

// Runs the updater in `folder`, its output read through a pipe as it comes; `onOutput` sees all
// of it so far after each piece.
UpdaterRun RunUpdaterIn(const std::string& folder,
                        const std::function<void(const std::string&)>& onOutput = nullptr) {
    UpdaterRun run;
    const std::string command = "cd " + test::ShellQuote(folder) + " && exec " + KIRO_UPDATER_PATH + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char chunk[4096];
    ssize_t got;
    while ((got = read(fileno(pipe), chunk, sizeof chunk)) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        run.output.append(chunk, static_cast<size_t>(got));
        if (onOutput) onOutput(run.output);
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Calls `free` once the updater has found the old program busy twice, half way to its third
// look: the update then succeeds at the third attempt, however slowly the machine started it.
std::function<void(const std::string&)> FreeAfterTwoRefusals(std::function<void()> free) {
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

    void SetUp() override {
        folder.Write("KiroMeter_X5", "old program");
        folder.Write("tmp/KiroMeter_X5_TMP.BIN", "new program");
    }
    void ExpectUpdatedAtTheThirdAttempt(const UpdaterRun& run) const {
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(Count(run.output, "Check Old File"), 3) << run.output;
        EXPECT_EQ(Count(run.output, "Update:"), 1);
        EXPECT_TRUE(run.output.ends_with(">>> Update OK <<<\n\n"));
        EXPECT_EQ(folder.Read("KiroMeter_X5"), "new program");
        EXPECT_EQ(access(folder.File("KiroMeter_X5").c_str(), X_OK), 0);
        EXPECT_FALSE(fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN")));
        // Read through a pipe, the output had no terminal: the log holds it too.
        EXPECT_EQ(folder.Read("tmp/KiroMeterUpdater.log"), run.output);
    }
};

TEST_F(UpdaterProgramTest, TheOldProgramIsReplacedOnlyOnceItHasEnded) {
    std::error_code error;
    std::unique_ptr<FileLock> lock = files.TryLock(folder.File("KiroMeter_X5"), error);
    ASSERT_TRUE(lock) << error.message();
    ExpectUpdatedAtTheThirdAttempt(RunUpdaterIn(folder.Path(), FreeAfterTwoRefusals([&] { lock.reset(); })));

    // The old program still running: its file is busy.
    SetUp();
    fs::copy_file("/bin/sleep", folder.File("KiroMeter_X5"), fs::copy_options::overwrite_existing);
    const int running = test::StartProgram({folder.File("KiroMeter_X5"), "30"});
    ASSERT_GT(running, 0);
    const auto end = [running] {
        kill(running, SIGKILL);
        test::WaitForProgram(running);
    };
    const UpdaterRun run = RunUpdaterIn(folder.Path(), FreeAfterTwoRefusals(end));
    if (Count(run.output, "Check Old File") < 2) end();
    ExpectUpdatedAtTheThirdAttempt(run);
}

TEST_F(UpdaterProgramTest, WithoutADownloadTheOldProgramStays) {
    fs::remove(folder.File("tmp/KiroMeter_X5_TMP.BIN"));
    const UpdaterRun run = RunUpdaterIn(folder.Path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Count(run.output, "Check Old File"), 10);
    EXPECT_TRUE(run.output.ends_with("\n\n### Err: Update failed ###\n\n")) << run.output;
    EXPECT_EQ(folder.Read("KiroMeter_X5"), "old program");
}

TEST_F(UpdaterProgramTest, AWorkingDirectoryThatIsGoneIsAFatalStart) {
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
