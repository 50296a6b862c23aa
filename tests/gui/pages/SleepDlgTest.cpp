// The sleep analysis dialog through its widgets: what it shows, where its arrows stop, what they
// keep in the settings, and the debug chord.
#include "gui/pages/CSleepDlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QToolButton>

#include "../PageWorld.h"
#include "gui/charts/CSleepChartCtrl.h"

namespace kiro::gui {
namespace {

class SleepDlgTest : public ::testing::Test {
  protected:
    void Click(CSleepDlg& dialog, CSleepDlg::Arrow arrow) { dialog.ArrowButton(arrow)->click(); }
    SleepWindowHours Stored() const { return world.app.Config().ReadSleepWindow(); }

    test::PageWorld world;
};

TEST_F(SleepDlgTest, AQuietNightShowsItsFourResultsOverTheCurve) {
    CSleepDlg dialog(world.Context(), 2014, 5, 3);
    EXPECT_EQ(dialog.windowTitle(), "2014-5-3 Sleep Quaility ...");
    EXPECT_EQ(dialog.ResultLabel(0)->text(), "20:05\nBad Time");
    EXPECT_EQ(dialog.ResultLabel(1)->text(), "09:01\nAwake Time");
    EXPECT_EQ(dialog.ResultLabel(2)->text(), "12:55\nSleep Time");
    EXPECT_EQ(dialog.ResultLabel(3)->text(), "99%\nEfficiency");
    std::vector<QString> texts;
    for (const ChartLabel& label : dialog.Chart()->Labels()) texts.push_back(label.text);
    for (const char* legend : {"Awake", "Sleep", "Deep-Sleep", " 5/03", " 5/04"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), QString(legend)), texts.end()) << legend;
}

TEST_F(SleepDlgTest, ArrowsStopAtTheirEdgesAndOnlyTheHourArrowsWriteTheSettings) {
    world.app.Config().WriteSleepWindow({0, 33});
    CSleepDlg dialog(world.Context(), 2014, 5, 1);
    Click(dialog, CSleepDlg::kStartEarlier);
    EXPECT_EQ(dialog.Session().Position(), (SleepPosition{2014, 5, 1, 0, 33}))
        << "day 1 at hour 0 goes nowhere";

    Click(dialog, CSleepDlg::kNextDay);
    EXPECT_EQ(dialog.Session().Position().day, 2);
    EXPECT_EQ(Stored().startHour, 0) << "the day arrows write nothing";
    Click(dialog, CSleepDlg::kStartLater);
    EXPECT_EQ(Stored().startHour, 1) << "the hour arrows keep their hours";

    for (int i = 0; i < 15; ++i) Click(dialog, CSleepDlg::kEndLater);
    EXPECT_EQ(dialog.Session().Position().endHour, 48);
    EXPECT_EQ(Stored().endHour, 48);
    Click(dialog, CSleepDlg::kEndLater);
    EXPECT_EQ(dialog.Session().Position().day, 3) << "at 48 the whole window moves a day on";

    // The last day a window of 48 hours may start on ends with the month.
    for (int i = 0; i < 40; ++i) Click(dialog, CSleepDlg::kNextDay);
    EXPECT_EQ(dialog.Session().Position().day, 30) << "the window's end stays within May";
}

TEST_F(SleepDlgTest, TheEstimateLineFollowsTheNightAndTheLanguage) {
    // 20 May: walking every minute until 23:00; 21 May: still until 06:30, then walking.
    for (int minute = 18 * 60; minute < 23 * 60; ++minute) world.Store(2014, 5, 20, minute, {20});
    for (int minute = 6 * 60 + 30; minute < 12 * 60; ++minute) world.Store(2014, 5, 21, minute, {20});
    CSleepDlg dialog(world.Context(), 2014, 5, 20);
    EXPECT_EQ(dialog.EstimateLabel()->text(), "Estimate: bed 23:00, getting up 06:29");
    EXPECT_EQ(dialog.ResultLabel(0)->text().right(8), "Bad Time") << "the four results stay";
    EXPECT_GT(dialog.EstimateLabel()->geometry().top(), dialog.ResultLabel(0)->geometry().bottom());
    EXPECT_LT(dialog.EstimateLabel()->geometry().bottom(), dialog.Chart()->geometry().top());

    dialog.ArrowButton(CSleepDlg::kNextDay)->click();
    EXPECT_EQ(dialog.EstimateLabel()->text(), "Estimate: -") << "22 May holds no step";

    world.app.Config().SetLanguageInMemory(kTraditionalChinese);
    CSleepDlg chinese(world.Context(), 2014, 5, 20);
    EXPECT_EQ(chinese.EstimateLabel()->text(), QString::fromUtf8("估計：就寢 23:00，起床 06:29"));
}

TEST_F(SleepDlgTest, TheDebugChordHeldAsItOpensMarksTheTitleOnly) {
    world.keyboard.chordHeld = true;
    CSleepDlg dialog(world.Context(), 2014, 5, 3);
    EXPECT_EQ(dialog.windowTitle(), "2014-5-3 Sleep Quaility ...(DEBUG)");
    world.keyboard.chordHeld = false;
    EXPECT_EQ(dialog.ResultLabel(0)->text(), "20:05\nBad Time");
}

}  // namespace
}  // namespace kiro::gui
