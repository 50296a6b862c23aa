// The main window's update check against a real server on 127.0.0.1: started only when wanted,
// its traces in the progress bar and the settings, and a whole round through the real program
// and the updater.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "../GuiTestSupport.h"
#include "core/base/ProgramFolder.h"
#include "core/update/ProgramSeal.h"
#include "core/update/ProgramStamp.h"
#include "gui/UiText.h"
#include "gui/controls/CPercentBar.h"
#include "gui/mainwindow/CMainDlg.h"
#include "gui/mainwindow/FirstPaintProbe.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedKeyboard.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/FixedProcessInfo.h"
#include "platform/sim/SimulatedMachine.h"
#include "support/FaultyFileSystem.h"
#include "support/LoopbackHttpServer.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"
#include "support/TimeLimits.h"

namespace kiro::gui {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using kiro::test::TimeLimitMs;

constexpr const char* kPath = "/KiroMeter_X5.exe";

// The bar under the calendar where the check shows how it went.
const CPercentBar& Bar(const CMainDlg& window) {
    return *test::Named<CPercentBar>(window, "updateProgressBar");
}

// Shows the window and runs the event loop until its first paint has been handled, and then
// whatever was queued up to that moment: what the window does once drawn has been done. The
// paint is seen as the window itself sees it: on a real display the window's widgets may be
// painted without the window.
void ShowAndPaint(QWidget& window) {
    bool painted = false;
    const FirstPaintProbe probe(window, [&painted] { painted = true; });
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&painted] { return painted; }, TimeLimitMs(10s))) << "never painted";
    QCoreApplication::sendPostedEvents();
}

std::string ReadWhole(const std::string& path) {
    return kiro::test::TempFolder::ReadFile(path);
}

// A copy of a program with another stamp, sealed again.
std::string Restamped(std::string image, uint32_t stamp) {
    std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(image.data()), image.size());
    EXPECT_TRUE(RestampProgram(bytes, stamp));
    return image;
}

class UpdateWindowTest : public ::testing::Test {
  protected:
    UpdateWindowTest() {
        test::EnsureQtApplication();
        // The running program: the desktop program as built, so its notes are real.
        program = ReadWhole(KIRO_GUI_PATH);
        folder.Write(kProgramFileName, program);
        process.path = folder.File(kProgramFileName);
        ownStamp =
            FindProgramStamp({reinterpret_cast<const uint8_t*>(program.data()), program.size()}).value();
    }
    // The check starts once the window has been drawn.
    std::unique_ptr<CMainDlg> Open(int enableUpgrade, bool show = true) {
        folder.Write("KiroMeter2.INI", "[Advance]\r\nEnableUpgrade=" + std::to_string(enableUpgrade) +
                                           "\r\nAutoConfirm=1\r\nUpdateURL=" + server.Url(kPath) +
                                           "\r\n[Personal]\r\nHeight=170\r\nWeight=60\r\nStepSize=70\r\n");
        app = std::make_unique<App>(folder.Path(), clock, locale, files);
        app->LoadSettings();
        texts = std::make_unique<UiText>(*app, codec);
        auto window = std::make_unique<CMainDlg>(*app, *texts,
                                                 GuiPorts{machine.volumes, machine.devices, machine.events,
                                                          machine.attributes, keyboard, http, process});
        if (show) ShowAndPaint(*window);
        return window;
    }
    // The check has ended and every change it queued for the window has reached it.
    static bool WaitForCheck(CMainDlg& window) {
        const bool finished =
            QTest::qWaitFor([&window] { return window.UpdateCheckWorker().Finished(); }, TimeLimitMs(30s));
        QCoreApplication::sendPostedEvents();
        return finished;
    }

    kiro::test::TempFolder folder;
    kiro::test::LoopbackHttpServer server;
    sim::FakeClock clock{LocalTime{2014, 5, 20, 9, 30, 15, 2}};
    sim::FixedLocale locale;
    NativeTextCodec codec;
    sim::SimulatedMachine machine;
    sim::FixedKeyboard keyboard;
    NativeFileSystem realFiles;
    kiro::test::FaultyFileSystem files{realFiles};
    NativeHttpClient http;
    sim::FixedProcessInfo process;
    std::unique_ptr<App> app;
    std::unique_ptr<UiText> texts;
    std::string program;
    uint32_t ownStamp = 0;
};

TEST_F(UpdateWindowTest, SwitchedOffAtStartNoRequestIsMade) {
    server.Serve(kPath, Restamped(program, ownStamp + 1));
    auto window = Open(0);
    EXPECT_FALSE(window->UpdateCheckWorker().Started());
    EXPECT_TRUE(window->UpdateCheckOver()) << "nothing to wait for";
    EXPECT_EQ(server.RequestCount(), 0u);
    EXPECT_EQ(app->Config().File().Read().ReadString("Update", "Local", "none", 100), "none");
}

TEST_F(UpdateWindowTest, TheCheckWaitsForTheWindowsFirstPaint) {
    server.Serve(kPath, Restamped(program, ownStamp));
    auto window = Open(1, false);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(window->UpdateCheckWorker().Started());
    EXPECT_FALSE(window->UpdateCheckOver());
    EXPECT_EQ(server.RequestCount(), 0u);
    ShowAndPaint(*window);
    EXPECT_TRUE(window->UpdateCheckWorker().Started()) << "started as soon as the first paint ended";
    ASSERT_TRUE(WaitForCheck(*window));
    EXPECT_TRUE(window->UpdateCheckOver());
    EXPECT_GE(server.RequestCount(), 1u);
    window.reset();  // it holds the App that the next window replaces

    auto stopped = Open(1, false);
    stopped->StopUpdateCheck();
    ShowAndPaint(*stopped);
    EXPECT_FALSE(stopped->UpdateCheckWorker().Started()) << "a stopped check does not start when drawn";
    EXPECT_TRUE(stopped->UpdateCheckOver());
}

TEST_F(UpdateWindowTest, AServerThatKeepsTheCheckWaitingShowsNoWaitCursor) {
    // Nobody waits for the check: the window stays usable, with its own cursor.
    server.Serve(kPath, Restamped(program, ownStamp + 60));
    server.StallAfter(kPath, 100, 30s);
    auto window = Open(1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.RequestCount() == 1; }, TimeLimitMs(10s)));
    // Whatever the check queued for the window before it asked has arrived.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    window->StopUpdateCheck();
}

TEST_F(UpdateWindowTest, ANewerBuildEndsReadyWithItsVersionInTheProgressBar) {
    const std::string newer = Restamped(program, ownStamp + 60);
    server.Serve(kPath, newer);
    auto window = Open(1);
    ASSERT_TRUE(WaitForCheck(*window));
    EXPECT_TRUE(app->updateReady);
    EXPECT_EQ(Bar(*window).Pos(), 100);
    EXPECT_EQ(Bar(*window).Text(), QString("New Ver 2.42.0.0 (%1)").arg(newer.size()));
    EXPECT_EQ(ReadWhole(folder.File("tmp/KiroMeter_X5_TMP.BIN")), newer);
    const IniSnapshot stored = app->Config().File().Read();
    EXPECT_EQ(stored.ReadString("Update", "Server", "", 100).substr(0, 10),
              QString::asprintf("0x%08X", ownStamp + 60).toStdString());
}

TEST_F(UpdateWindowTest, TheSameBuildSaysNoNewVersion) {
    server.Serve(kPath, program);
    auto window = Open(1);
    ASSERT_TRUE(WaitForCheck(*window));
    EXPECT_FALSE(app->updateReady);
    EXPECT_EQ(Bar(*window).Text(), "No new version");
    const IniSnapshot stored = app->Config().File().Read();
    EXPECT_EQ(stored.ReadString("Update", "Local", "", 100), stored.ReadString("Update", "Server", "", 100));
}

TEST_F(UpdateWindowTest, ADownloadCutShortSaysSoInTheProgressBar) {
    server.Serve(kPath, Restamped(program, ownStamp + 60));
    // The first look at the server comes whole; the download breaks off after it.
    server.DropAfter(kPath, kStampSearchBytes + 1000);
    auto window = Open(1);
    ASSERT_TRUE(WaitForCheck(*window));
    EXPECT_FALSE(app->updateReady);
    EXPECT_EQ(Bar(*window).Pos(), 0);
    EXPECT_EQ(Bar(*window).Text(), "Update download failed");
    EXPECT_FALSE(fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN")));
}

TEST_F(UpdateWindowTest, AProgramInstalledForTheSystemLeavesTheUpdateToThePackageManager) {
    server.Serve(kPath, Restamped(program, ownStamp + 60));
    files.FailPath(kProgramFileName, std::make_error_code(std::errc::read_only_file_system));
    auto window = Open(1);
    ASSERT_TRUE(WaitForCheck(*window));
    EXPECT_FALSE(app->updateReady);
    EXPECT_EQ(Bar(*window).Text(), "New version: update with the package manager");
    EXPECT_EQ(server.RequestCount(), 1u) << "nothing downloaded";
}

// The program finds a newer build, downloads it, ends; the updater puts it in place; the new
// program reports its new stamp.
TEST_F(UpdateWindowTest, AWholeRoundThroughTheRealProgramAndTheUpdater) {
    const uint32_t newStamp = ownStamp + 3600;
    server.Serve(kPath, Restamped(program, newStamp));
    folder.Write("KiroMeter2.INI", "[Advance]\r\nUpdateURL=" + server.Url(kPath) + "\r\n");
    fs::permissions(folder.File(kProgramFileName), fs::perms::owner_all, fs::perm_options::add);
#if defined(_WIN32)
    // cmd.exe finds a program of the working directory by its name; the offscreen platform comes
    // with the test's own environment.
    const std::string program = kProgramFileName;
#else
    const std::string program = std::string("QT_QPA_PLATFORM=offscreen ./") + kProgramFileName;
#endif
    const std::string run = kiro::test::InFolder(folder.Path(), program);
    const kiro::test::CommandResult first = kiro::test::RunCommand(run + " --unattended");
    EXPECT_EQ(first.exitCode, 0) << first.output;
    EXPECT_NE(first.output.find("Find a NEW version, start upgrade (Yes/No) ? -> Yes"), std::string::npos)
        << first.output;

    const std::string log = folder.File("tmp/KiroMeterUpdater.log");
    const bool done =
        QTest::qWaitFor([&log] { return ReadWhole(log).find("<<<") != std::string::npos; }, TimeLimitMs(30s));
    ASSERT_TRUE(done) << ReadWhole(log);
    EXPECT_NE(ReadWhole(log).find(">>> Update OK <<<"), std::string::npos) << ReadWhole(log);
    EXPECT_FALSE(fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN")));
    const kiro::test::CommandResult second =
        kiro::test::RunCommand(kiro::test::StandardOutputOnly(run + " --stamp"));
    EXPECT_EQ(second.output, QString::asprintf("0x%08X\n", newStamp).toStdString());
}

}  // namespace
}  // namespace kiro::gui
