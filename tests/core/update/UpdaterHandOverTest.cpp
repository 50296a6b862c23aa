// The hand-over at the end of a run: the updater is written out and started only when an update
// is ready and still wanted.
#include "core/update/UpdaterHandOver.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

struct RecordingLauncher final : Launcher {
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) override {
        started.push_back(program);
        startedWith = arguments;
        return true;
    }
    bool OpenWithAssociatedProgram(const std::string&) override { return false; }
    std::vector<std::string> started;
    std::vector<std::string> startedWith;
};

class UpdaterHandOverTest : public ::testing::Test {
  protected:
    UpdaterHandOverTest() { app.LoadSettings(); }
    std::string Updater() const { return folder.File("tmp/KiroMeterUpdater.BIN"); }

    test::TempFolder folder;
    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeFileSystem realFiles;
    test::FaultyFileSystem files{realFiles};
    App app{folder.Path(), clock, locale, files};
    RecordingLauncher launcher;
    const std::vector<uint8_t> image{0x7F, 'E', 'L', 'F', 0, 1, 2, 0xFF};
};

TEST_F(UpdaterHandOverTest, AReadyUpdateStartsTheUpdaterWrittenOutByteForByte) {
    app.updateReady = true;
    ASSERT_TRUE(HandOverToUpdater(app, launcher, image));
    EXPECT_EQ(test::TempFolder::ReadFile(Updater()), std::string(image.begin(), image.end()));
#if !defined(_WIN32)  // Windows has no mark that lets a file run: it starts a program by its content
    struct stat status {};
    ASSERT_EQ(::stat(Updater().c_str(), &status), 0);
    EXPECT_TRUE(status.st_mode & S_IXUSR);
#endif
    EXPECT_EQ(launcher.started, (std::vector<std::string>{Updater()}));
    EXPECT_EQ(launcher.startedWith, (std::vector<std::string>{Updater()})) << "its full path, nothing else";
}

TEST_F(UpdaterHandOverTest, NothingWithoutAnUpdateOrWhenTheUpgradeWasSwitchedOff) {
    EXPECT_FALSE(HandOverToUpdater(app, launcher, image));
    app.updateReady = true;
    app.Config().SetEnableUpgrade(false);  // unchecked on the options page after the download
    EXPECT_FALSE(HandOverToUpdater(app, launcher, image));
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_FALSE(std::filesystem::exists(Updater()));
}

TEST_F(UpdaterHandOverTest, AnUpdaterThatCannotBeWrittenIsNotStarted) {
    app.updateReady = true;
    files.FailPath("KiroMeterUpdater.BIN", std::make_error_code(std::errc::no_space_on_device));
    EXPECT_FALSE(HandOverToUpdater(app, launcher, image));
    EXPECT_TRUE(launcher.started.empty());
}

}  // namespace
}  // namespace kiro
