// The main window over the simulated machine: start-up state, page routing, and a watch
// plugged in and out while the window runs.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QTabBar>
#include <QTest>

#include "../GuiTestSupport.h"
#include "MainWindowWorld.h"
#include "core/app/App.h"
#include "gui/UiText.h"
#include "gui/mainwindow/CMainDlg.h"
#include "gui/mainwindow/CPageTab.h"
#include "gui/pages/CReportPage.h"
#include "gui/pages/CUserOptionPage.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedKeyboard.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/FixedProcessInfo.h"
#include "platform/sim/OfflineHttpClient.h"
#include "platform/sim/SimulatedMachine.h"
#include "platform/sim/StepGenerator.h"
#include "support/TempFolder.h"

namespace kiro::gui {
namespace {

class MainWindowTest : public ::testing::Test, protected test::MainWindowWorld {};

TEST_F(MainWindowTest, TitleClockAndFontsFromControlHeights) {
    auto window = Open();
    EXPECT_EQ(window->windowTitle(), "KiroMeter2 USB FlashDisk, Ver 2.042    2014/05/05");
    EXPECT_EQ(window->ClockLabel()->text(), "09:30:15");
    // A font's height is that of its character cell, ascent plus descent (gui/FontCells.h).
    const auto cellOf = [](const QLabel* label) { return QFontMetrics(label->font()).height(); };
    const int clockCell = window->ClockLabel()->contentsRect().height() * 3 / 4;
    EXPECT_LE(cellOf(window->ClockLabel()), clockCell);
    QFont larger = window->ClockLabel()->font();
    larger.setPixelSize(larger.pixelSize() + 1);
    EXPECT_GT(QFontMetrics(larger).height(), clockCell) << "the largest font whose cell fits";
    EXPECT_LE(cellOf(window->DiskLabel()), window->DiskLabel()->contentsRect().height() * 5 / 6);
    EXPECT_GT(window->DiskLabel()->font().pixelSize(), window->DiskLabel()->contentsRect().height() / 2);
    EXPECT_EQ(window->DiskLabel()->text(), "< No Disk >");
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window is not resizable";
    EXPECT_EQ(app->selectedDate.day, 20);
    EXPECT_EQ(app->timeAdjustMode, kTimeAdjustManual);
}

TEST_F(MainWindowTest, ChoosingALanguageOnTheOptionsPageChangesTheWholeWindow) {
    auto window = Open();
    auto* options = static_cast<CUserOptionPage*>(window->Pages().Page(kUserOptionsPage));
    window->show();
    QTest::mouseClick(options->LanguagePicture(2), Qt::LeftButton);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("KiroMeter2 USB 闪存盘, Ver 2.042    2014/05/05"));
    EXPECT_EQ(window->Pages().TabBar()->tabText(0), QString::fromUtf8("报表"));
    auto* report = static_cast<CReportPage*>(window->Pages().Page(kReportPage));
    EXPECT_EQ(report->ModeRadio(ReportMode::Month)->text(), QString::fromUtf8("月报表"))
        << "every page took the new texts";
    EXPECT_EQ(window->Calendar()->locale().language(), QLocale::Chinese);
    EXPECT_EQ(app->Config().File().ReadInt("Advance", "Language", 0), 2);
}

TEST_F(MainWindowTest, OpensOnPersonalInformationUntilThePersonalDataIsSet) {
    EXPECT_EQ(Open()->Pages().CurrentPage(), kPersonalInformationPage);
    folder.Write("KiroMeter2.INI", "[Personal]\nHeight=170\nWeight=60\nStepSize=70\n");
    EXPECT_EQ(Open()->Pages().CurrentPage(), kReportPage);
}

TEST_F(MainWindowTest, TabCaptionsAndTitleFollowTheLanguage) {
    folder.Write("KiroMeter2.INI", "[Advance]\nLanguage=2\n");
    auto window = Open();
    EXPECT_EQ(window->Pages().TabBar()->tabText(0), QString::fromUtf8("报表"));
    app->Config().SetLanguage(0);
    window->OnLanguageChanged();
    window->SetTabCaptions();
    EXPECT_EQ(window->Pages().TabBar()->tabText(6), "User Option");
    EXPECT_TRUE(window->windowTitle().startsWith("KiroMeter2 USB FlashDisk"));
}

TEST_F(MainWindowTest, TheFirstSearchRunsHalfASecondAfterOpening) {
    auto window = Open();
    EXPECT_EQ(window->DiskLabel()->text(), "< No Disk >");
    QTest::qWait(700);
    EXPECT_EQ(window->DiskLabel()->text(), "Not found Kiro-Disk");
}

TEST_F(MainWindowTest, AWatchPluggedInIsCollectedAndItsRemovalResets) {
    auto window = Open();
    std::vector<std::string> shown;
    window->Host().SetUnattended(true);
    window->Host().echo = [&shown](const std::string& text) { shown.push_back(text); };
    sim::FileModeWatch watch(folder.Path() + "/disk");
    watch.AddDay(sim::GenerateDay(2014, 5, 19, 3), sim::DayFileFormat::Binary);

    machine.PlugIn(watch);
    machine.events.Dispatch(window->Discovery());
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown[0], " New coming Disk-D:");
    EXPECT_EQ(shown[1], "Find Kiro USB Disk (Disk-D), Start to collect data ? -> Yes");
    EXPECT_EQ(shown[2], " Collecting data from Disk-D:");
    EXPECT_EQ(shown[3], " >>> Collecting D: Complete <<<");
    EXPECT_EQ(window->DiskLabel()->text(), "KiroMeter2 USB FlashDisk (D:)");
    EXPECT_TRUE(app->Store().LoadMonth(2014, 5).found);

    shown.clear();
    machine.Unplug('D');
    machine.events.Dispatch(window->Discovery());
    EXPECT_EQ(shown.front(), " Remove Disk-D:");
    EXPECT_EQ(window->StatusLine()->text(), " Remove Disk-D: done");
    EXPECT_EQ(window->DiskLabel()->text(), "Not found Kiro-Disk");
    EXPECT_EQ(app->watch.currentDrive, 0);
}

// A page that counts what it is told.
class CountingPage final : public CPage {
  public:
    void OnDataChanged() override { ++data; }
    void OnLanguageChanged() override { ++language; }
    int data = 0;
    int language = 0;
};

class PageTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (auto*& page : pages) page = new CountingPage;
        tab.SetPages({pages[0], pages[1], pages[2], pages[3], pages[4], pages[5], pages[6]});
        tab.resize(600, 300);
        tab.show();
    }
    void Click(int index) {
        QTest::mouseClick(tab.TabBar(), Qt::LeftButton, {}, tab.TabBar()->tabRect(index).center());
    }
    // The application object must exist before the first widget member is made.
    bool qtReady = (test::EnsureQtApplication(), true);
    CPageTab tab;
    std::array<CountingPage*, kPageCount> pages{};
};

TEST_F(PageTabTest, RoutingOfNotifications) {
    tab.SendDateChanged();
    EXPECT_EQ(pages[0]->data, 1);
    for (int i = 1; i < kPageCount; ++i)
        EXPECT_EQ(pages[i]->data, 0) << "only the report page hears of the date";
    tab.SendDataChanged();
    tab.SendLanguageChanged();
    for (auto* page : pages) {
        EXPECT_GE(page->data, 1);
        EXPECT_EQ(page->language, 1);
    }
}

TEST_F(PageTabTest, LeavingTheOptionsPageTellsIt) {
    for (int i = 0; i < kPageCount; ++i) tab.SetCaption(i, QString("Tab %1").arg(i));
    Click(2);
    Click(1);
    EXPECT_EQ(pages[kUserOptionsPage]->language, 0) << "leaving other pages sends nothing";
    Click(kUserOptionsPage);
    Click(0);
    EXPECT_EQ(pages[kUserOptionsPage]->language, 1);
    EXPECT_EQ(tab.CurrentPage(), 0);
}

TEST_F(PageTabTest, OnlyTheLeftButtonSwitchesPages) {
    for (int i = 0; i < kPageCount; ++i) tab.SetCaption(i, QString("Tab %1").arg(i));
    Click(kUserOptionsPage);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
        QTest::mouseClick(tab.TabBar(), button, {}, tab.TabBar()->tabRect(2).center());
    EXPECT_EQ(tab.CurrentPage(), kUserOptionsPage);
    EXPECT_EQ(pages[kUserOptionsPage]->language, 0) << "the options page was not left";
    Click(2);
    EXPECT_EQ(tab.CurrentPage(), 2);
}

TEST_F(PageTabTest, KeyboardMovesTheHighlightButNotThePage) {
    for (int i = 0; i < kPageCount; ++i) tab.SetCaption(i, QString("Tab %1").arg(i));
    tab.TabBar()->setFocus();
    QTest::keyClick(tab.TabBar(), Qt::Key_Right);
    EXPECT_EQ(tab.TabBar()->currentIndex(), 1);
    EXPECT_EQ(tab.CurrentPage(), 0);
    Click(3);
    EXPECT_EQ(tab.CurrentPage(), 3);
}

}  // namespace
}  // namespace kiro::gui
