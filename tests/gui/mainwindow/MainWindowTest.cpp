// The main window over the simulated machine: start-up state, page routing, and a watch
// plugged in and out while the window runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "../GuiTestSupport.h"
#include "MainWindowWorld.h"
#include "core/app/App.h"
#include "core/store/MonthStore.h"
#include "gui/UiText.h"
#include "gui/boxes/CAskBox.h"
#include "gui/controls/CGridListCtrl.h"
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
#include "support/StepFiles.h"
#include "support/TempFolder.h"
#include "support/TimeLimits.h"

namespace kiro::gui {
namespace {

class MainWindowTest : public ::testing::Test, protected test::MainWindowWorld {
  protected:
    static QLabel* Label(const CMainDlg& window, const char* name) {
        return test::Named<QLabel>(window, name);
    }
    static QTabBar* Tabs(const CMainDlg& window) { return test::Named<QTabBar>(window, "pageTabBar"); }
};

TEST_F(MainWindowTest, TitleClockAndFontsFromControlHeights) {
    auto window = Open();
    const QLabel* clock = Label(*window, "clockLabel");
    const QLabel* disk = Label(*window, "diskLabel");
    EXPECT_EQ(window->windowTitle(), "KiroMeter2 USB FlashDisk, Ver 2.042    2014/05/05");
    EXPECT_EQ(clock->text(), "09:30:15");
    // A font's height is that of its character cell, ascent plus descent (gui/FontCells.h).
    const auto cellOf = [](const QLabel* label) { return QFontMetrics(label->font()).height(); };
    const int clockCell = clock->contentsRect().height() * 3 / 4;
    EXPECT_LE(cellOf(clock), clockCell);
    QFont larger = clock->font();
    larger.setPixelSize(larger.pixelSize() + 1);
    EXPECT_GT(QFontMetrics(larger).height(), clockCell) << "the largest font whose cell fits";
    EXPECT_LE(cellOf(disk), disk->contentsRect().height() * 5 / 6);
    EXPECT_GT(disk->font().pixelSize(), disk->contentsRect().height() / 2);
    EXPECT_EQ(disk->text(), "< No Disk >");
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window is not resizable";
    EXPECT_EQ(app->selectedDate.day, 20);
    EXPECT_EQ(app->timeAdjustMode, kTimeAdjustManual);
}

TEST_F(MainWindowTest, ChoosingALanguageOnTheOptionsPageChangesTheWholeWindow) {
    auto window = Open();
    auto* options = static_cast<CUserOptionPage*>(window->Pages().Page(kUserOptionsPage));
    window->show();
    QTest::mouseClick(test::Named<QLabel>(*options, "languagePicture2"), Qt::LeftButton);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("KiroMeter2 USB 闪存盘, Ver 2.042    2014/05/05"));
    EXPECT_EQ(Tabs(*window)->tabText(0), QString::fromUtf8("报表"));
    auto* report = static_cast<CReportPage*>(window->Pages().Page(kReportPage));
    EXPECT_EQ(test::Named<QRadioButton>(*report, "monthRadio")->text(), QString::fromUtf8("月报表"))
        << "every page took the new texts";
    EXPECT_EQ(window->Calendar()->locale().language(), QLocale::Chinese);
    EXPECT_EQ(app->Config().File().ReadInt("Advance", "Language", 0), 2);
    EXPECT_EQ(Label(*window, "diskLabel")->text(), QString::fromUtf8("找不到 Kiro 磁盘"))
        << "the label says at once, in the new language, that no watch is current";
}

// Every calendar of the program starts its weeks on the same day, in each language.
TEST_F(MainWindowTest, TheBirthdayPickerStartsItsWeeksAsTheCalendarDoes) {
    auto window = Open();
    auto* options = static_cast<CUserOptionPage*>(window->Pages().Page(kUserOptionsPage));
    auto* birthday = test::Named<QDateEdit>(*window->Pages().Page(kPersonalInformationPage), "birthdayEdit");
    window->show();
    for (int language = 0; language < 3; ++language) {
        QTest::mouseClick(test::Named<QLabel>(*options, "languagePicture" + std::to_string(language)),
                          Qt::LeftButton);
        EXPECT_EQ(birthday->calendarWidget()->firstDayOfWeek(), window->Calendar()->firstDayOfWeek())
            << "language " << language;
    }
}

TEST_F(MainWindowTest, OpensOnPersonalInformationUntilThePersonalDataIsSet) {
    EXPECT_EQ(Open()->Pages().CurrentPage(), kPersonalInformationPage);
    folder.Write("KiroMeter2.INI", "[Personal]\nHeight=170\nWeight=60\nStepSize=70\n");
    EXPECT_EQ(Open()->Pages().CurrentPage(), kReportPage);
}

// The window opens with the one page it shows; the others follow its first paint, one an
// event-loop turn, and reach the Tab order ahead of the calendar, as if made with the window.
TEST_F(MainWindowTest, OtherPagesAreMadeAfterTheFirstPaint) {
    auto window = Open();
    for (int i = 0; i < kPageCount; ++i)
        EXPECT_EQ(window->Pages().IsMade(i), i == kPersonalInformationPage) << "page " << i;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (int turn = 0; turn < 20 && !window->Pages().IsMade(kUserOptionsPage); ++turn)
        QApplication::processEvents();
    for (int i = 0; i < kPageCount; ++i) EXPECT_TRUE(window->Pages().IsMade(i)) << "page " << i;
    EXPECT_EQ(window->Pages().CurrentPage(), kPersonalInformationPage);

    // Tab from the last control of a page made late goes on to the calendar.
    CPage* options = window->Pages().Page(kUserOptionsPage);
    window->Pages().SwitchTo(kUserOptionsPage);
    QWidget* last = window->Calendar()->previousInFocusChain();
    while (last->focusPolicy() == Qt::NoFocus) last = last->previousInFocusChain();
    EXPECT_TRUE(options->isAncestorOf(last)) << "the calendar follows the page made last";
    EXPECT_FALSE(options->accessibleName().isEmpty()) << "named as the pages made with the window";
}

TEST_F(MainWindowTest, TabCaptionsAndTitleFollowTheLanguage) {
    folder.Write("KiroMeter2.INI", "[Advance]\nLanguage=2\n");
    auto window = Open();
    EXPECT_EQ(Tabs(*window)->tabText(0), QString::fromUtf8("报表"));
    app->Config().SetLanguage(0);
    window->OnLanguageChanged();
    window->SetTabCaptions();
    EXPECT_EQ(Tabs(*window)->tabText(6), "User Option");
    EXPECT_TRUE(window->windowTitle().startsWith("KiroMeter2 USB FlashDisk"));
}

// Turning the calendar's month is asking for that month's report: the same day is selected in
// it (the last one in a shorter month), and the report page shows it without another click.
TEST_F(MainWindowTest, TurningTheCalendarsMonthBringsItsReport) {
    folder.Write("KiroMeter2.INI", "[Personal]\nHeight=170\nWeight=60\nStepSize=70\n");
    auto window = Open();
    window->show();
    QCalendarWidget* calendar = window->Calendar();
    const auto* rows = test::Named<CGridListCtrl>(*window->Pages().Page(kReportPage), "reportList");
    const auto arrow = [calendar](const char* name) {
        return calendar->findChild<QToolButton*>(QLatin1String(name));
    };
    MonthBuffer april = app->Store().LoadMonth(2014, 4).buffer;
    AddToSlotIndex(april, 9 * kMinutesPerDay + 600, 120);  // 10 April, 10:00
    app->Store().SaveMonth(2014, 4, april);
    ASSERT_EQ(rows->GetItemCount(), 0) << "nothing in May";

    arrow("qt_calendar_prevmonth")->click();
    EXPECT_EQ(calendar->selectedDate(), QDate(2014, 4, 20));
    EXPECT_EQ(app->selectedDate.month, 4);
    EXPECT_EQ(rows->GetItemCount(), 1) << "April's report, at once";
    calendar->setSelectedDate(QDate(2014, 3, 31));
    arrow("qt_calendar_nextmonth")->click();
    EXPECT_EQ(calendar->selectedDate(), QDate(2014, 4, 30)) << "April has no 31st";
    calendar->setCurrentPage(2015, 2);
    EXPECT_EQ(calendar->selectedDate(), QDate(2015, 2, 28)) << "a month and a year chosen from the menus";
    EXPECT_EQ(app->selectedDate.year, 2015);
    EXPECT_EQ(app->selectedDate.day, 28);
}

// The demo's menu is seen: a bar of its own height above the controls, which move down by it.
TEST_F(MainWindowTest, TheDemoMenuIsAVisibleBarAboveTheControls) {
    auto window = Open();
    const int heightBefore = window->height();
    const QWidget* scroll = test::Named<QWidget>(*window, "windowScrollArea");
    window->AddDemoMenu("&Demo");
    window->show();
    auto* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GE(bar->height(), QFontMetrics(bar->font()).height()) << "tall enough to read";
    EXPECT_EQ(bar->y(), 0);
    EXPECT_EQ(scroll->y(), bar->height()) << "the controls, under the bar";
    EXPECT_EQ(window->height(), heightBefore + bar->height());
}

TEST_F(MainWindowTest, TheFirstSearchRunsHalfASecondAfterOpening) {
    auto window = Open();
    const QLabel* disk = test::Named<QLabel>(*window, "diskLabel");
    auto* firstSearch = test::Named<QTimer>(*window, "firstSearchTimer");
    // Set off as the window opens, to go off once, 500 ms later to the millisecond (a coarse
    // timer may come up to 5 % early).
    EXPECT_TRUE(firstSearch->isActive());
    EXPECT_TRUE(firstSearch->isSingleShot());
    EXPECT_EQ(firstSearch->interval(), 500);
    EXPECT_EQ(firstSearch->timerType(), Qt::PreciseTimer);
    // Held, so that the machine's speed does not matter: nothing else searches meanwhile.
    firstSearch->stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(disk->text(), "< No Disk >");
    // Its going off is what searches: set off to go at once, the search has run when it went.
    firstSearch->start(0);
    ASSERT_TRUE(QTest::qWaitFor([firstSearch] { return !firstSearch->isActive(); },
                                kiro::test::TimeLimitMs(std::chrono::seconds(5))));
    EXPECT_EQ(disk->text(), "Not found Kiro-Disk");
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
    EXPECT_EQ(Label(*window, "diskLabel")->text(), "KiroMeter2 USB FlashDisk (D:)");
    EXPECT_TRUE(app->Store().LoadMonth(2014, 5).found);

    shown.clear();
    machine.Unplug('D');
    machine.events.Dispatch(window->Discovery());
    EXPECT_EQ(shown.front(), " Remove Disk-D:");
    EXPECT_EQ(Label(*window, "statusLabel")->text(), " Remove Disk-D: done");
    EXPECT_EQ(Label(*window, "diskLabel")->text(), "Not found Kiro-Disk");
    EXPECT_EQ(app->watch.currentDrive, 0);
}

// A page that counts what it is told.
class CountingPage final : public CPage {
  public:
    using CPage::CPage;
    void OnDataChanged() override { ++data; }
    void OnLanguageChanged() override { ++language; }
    int data = 0;
    int language = 0;
};

class PageTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tab.SetPages(Makers(), 0);
        while (tab.MakeNextPage()) {
        }
        tab.resize(600, 300);
        tab.show();
    }
    // Makers that keep each page made, and the order they were made in.
    std::array<CPageTab::PageMaker, kPageCount> Makers() {
        std::array<CPageTab::PageMaker, kPageCount> makers;
        for (int i = 0; i < kPageCount; ++i)
            makers[i] = [this, i](QWidget* parent) {
                madeInOrder.push_back(i);
                return pages[i] = new CountingPage(parent);
            };
        return makers;
    }
    void Click(int index) { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center()); }
    // The application object must exist before the first widget member is made.
    bool qtReady = (test::EnsureQtApplication(), true);
    CPageTab tab;
    QTabBar* const bar = test::Named<QTabBar>(tab, "pageTabBar");
    std::array<CountingPage*, kPageCount> pages{};
    std::vector<int> madeInOrder;
};

TEST_F(PageTabTest, APageIsMadeWhenFirstWantedAndHearsNothingBefore) {
    CPageTab lazy;
    madeInOrder.clear();
    pages = {};
    std::vector<int> announced;
    QObject::connect(&lazy, &CPageTab::PageMade, [&announced](int index) { announced.push_back(index); });
    lazy.SetPages(Makers(), kPersonalInformationPage);
    EXPECT_EQ(madeInOrder, std::vector<int>{kPersonalInformationPage}) << "only the page shown is made";
    EXPECT_EQ(lazy.CurrentPage(), kPersonalInformationPage);
    lazy.SendDataChanged();
    lazy.SendLanguageChanged();
    lazy.SendDateChanged();
    EXPECT_EQ(pages[kPersonalInformationPage]->data, 1);
    EXPECT_EQ(pages[kPersonalInformationPage]->language, 1);

    lazy.SwitchTo(kSetupPage);
    EXPECT_EQ(madeInOrder, (std::vector<int>{kPersonalInformationPage, kSetupPage}));
    EXPECT_EQ(pages[kSetupPage]->data, 0) << "made with the state as it is, told of nothing before";
    EXPECT_TRUE(pages[kSetupPage]->isVisibleTo(&lazy)) << "it stands in its place in the stack";
    EXPECT_EQ(lazy.Page(kSetupPage), pages[kSetupPage]) << "asked again, the same page";

    while (lazy.MakeNextPage()) {
    }
    EXPECT_EQ(madeInOrder, (std::vector<int>{kPersonalInformationPage, kSetupPage, 0, 1, 2, 4, 6}));
    EXPECT_EQ(announced, madeInOrder);
    for (int i = 0; i < kPageCount; ++i) {
        EXPECT_TRUE(lazy.IsMade(i));
        EXPECT_EQ(pages[i]->parentWidget()->parentWidget(), &lazy) << "page " << i << " is in the page stack";
    }
    EXPECT_EQ(lazy.CurrentPage(), kSetupPage) << "making the rest leaves the page shown as it is";
}

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
        QTest::mouseClick(bar, button, {}, bar->tabRect(2).center());
    EXPECT_EQ(tab.CurrentPage(), kUserOptionsPage);
    EXPECT_EQ(pages[kUserOptionsPage]->language, 0) << "the options page was not left";
    Click(2);
    EXPECT_EQ(tab.CurrentPage(), 2);
}

TEST_F(PageTabTest, KeyboardMovesTheHighlightButNotThePage) {
    for (int i = 0; i < kPageCount; ++i) tab.SetCaption(i, QString("Tab %1").arg(i));
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(bar->currentIndex(), 1);
    EXPECT_EQ(tab.CurrentPage(), 0);
    Click(3);
    EXPECT_EQ(tab.CurrentPage(), 3);
}

// Drags a file over the window and drops it there: whether the window took the drag.
bool DropFile(CMainDlg& window, const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

TEST_F(MainWindowTest, AStepsFileDroppedOnTheWindowIsImportedAfterTheQuestion) {
    auto window = Open();
    window->show();
    folder.Write("steps.csv", kiro::test::StepFileText(StepFileFormat::TimeAndSteps,
                                                       {{2014, 5, 20, 8, 0, 120}, {2014, 5, 20, 8, 1, 30}}));
    folder.Write("notes.txt", "time,steps\n");
    EXPECT_FALSE(DropFile(*window, folder.File("notes.txt"))) << "steps files only";

    // The program's own question, with what the file would store; No stores nothing.
    QString asked;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<CAskBox*>(QApplication::activeModalWidget());
        if (!box) return;
        asked = box->Message();
        for (QPushButton* button : box->findChildren<QPushButton*>())
            if (button->text() == "&No") button->click();
    });
    answer.start(10);
    ASSERT_TRUE(DropFile(*window, folder.File("steps.csv")));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !asked.isEmpty(); }, kiro::test::TimeLimitMs(std::chrono::seconds(5))));
    answer.stop();
    EXPECT_EQ(asked,
              "Import the steps of steps.csv?\n1 days, 2 minutes, 150 steps (0 minutes that hold steps "
              "already are left as they are)");
    EXPECT_FALSE(app->Store().LoadMonth(2014, 5).found);

    // Yes: stored, said in the status line, and the report shows the day.
    std::vector<std::string> shown;
    window->Host().SetUnattended(true);
    window->Host().echo = [&shown](const std::string& text) { shown.push_back(text); };
    ASSERT_TRUE(DropFile(*window, folder.File("steps.csv")));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return shown.size() >= 2; }, kiro::test::TimeLimitMs(std::chrono::seconds(5))));
    EXPECT_EQ(shown[1],
              "Imported from steps.csv: 1 days, 2 minutes, 150 steps (0 minutes that hold steps already "
              "are left as they are)");
    EXPECT_EQ(app->Store().LoadMonth(2014, 5).buffer.At(20, 8, 0), 120);
    // Asked for, as a tab click asks: the window may not have made the page yet.
    const auto* list = test::Named<CGridListCtrl>(*window->Pages().Page(kReportPage), "reportList");
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0, 2), "150   ");
}

}  // namespace
}  // namespace kiro::gui
