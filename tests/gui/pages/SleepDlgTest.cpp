// The sleep analysis dialog through its widgets: what it shows, where its arrows stop, what they
// keep in the settings, and the debug chord.
#include "gui/pages/CSleepDlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QToolButton>

#include "../ChartPixels.h"
#include "../PageWorld.h"
#include "gui/charts/CSleepChartCtrl.h"

namespace kiro::gui {
namespace {

// The labels of a sleep window, by the names the window gives them.
const QLabel* Label(const CSleepDlg& dialog, const char* name) {
    return test::Named<QLabel>(dialog, name);
}

class SleepDlgTest : public ::testing::Test {
  protected:
    void Click(CSleepDlg& dialog, const char* arrow) { test::Named<QToolButton>(dialog, arrow)->click(); }
    SleepWindowHours Stored() const { return world.app.Config().ReadSleepWindow(); }

    test::PageWorld world;
};

TEST_F(SleepDlgTest, AQuietNightShowsItsFourResultsOverTheCurve) {
    CSleepDlg dialog(world.Context(), 2014, 5, 3);
    EXPECT_EQ(dialog.windowTitle(), "2014-5-3 Sleep Quaility ...");
    EXPECT_EQ(Label(dialog, "bedTimeLabel")->text(), "20:05\nBad Time");
    EXPECT_EQ(Label(dialog, "wakeTimeLabel")->text(), "09:01\nAwake Time");
    EXPECT_EQ(Label(dialog, "sleepTimeLabel")->text(), "12:55\nSleep Time");
    EXPECT_EQ(Label(dialog, "efficiencyLabel")->text(), "99%\nEfficiency");
    std::vector<QString> texts;
    for (const ChartLabel& label : test::Named<CSleepChartCtrl>(dialog, "sleepChart")->Labels())
        texts.push_back(label.text);
    for (const char* legend : {"Awake", "Sleep", "Deep-Sleep", " 5/03", " 5/04"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), QString(legend)), texts.end()) << legend;
}

TEST_F(SleepDlgTest, ArrowsStopAtTheirEdgesAndOnlyTheHourArrowsWriteTheSettings) {
    world.app.Config().WriteSleepWindow({0, 33});
    CSleepDlg dialog(world.Context(), 2014, 5, 1);
    Click(dialog, "startEarlierButton");
    EXPECT_EQ(dialog.Session().Position(), (SleepPosition{2014, 5, 1, 0, 33}))
        << "day 1 at hour 0 goes nowhere";

    Click(dialog, "nextDayButton");
    EXPECT_EQ(dialog.Session().Position().day, 2);
    EXPECT_EQ(Stored().startHour, 0) << "the day arrows write nothing";
    Click(dialog, "startLaterButton");
    EXPECT_EQ(Stored().startHour, 1) << "the hour arrows keep their hours";

    for (int i = 0; i < 15; ++i) Click(dialog, "endLaterButton");
    EXPECT_EQ(dialog.Session().Position().endHour, 48);
    EXPECT_EQ(Stored().endHour, 48);
    Click(dialog, "endLaterButton");
    EXPECT_EQ(dialog.Session().Position().day, 3) << "at 48 the whole window moves a day on";

    // The last day a window of 48 hours may start on ends with the month.
    for (int i = 0; i < 40; ++i) Click(dialog, "nextDayButton");
    EXPECT_EQ(dialog.Session().Position().day, 30) << "the window's end stays within May";
}

TEST_F(SleepDlgTest, TheEstimateLineFollowsTheNightAndTheLanguage) {
    // 20 May: walking every minute until 23:00; 21 May: still until 06:30, then walking.
    for (int minute = 18 * 60; minute < 23 * 60; ++minute) world.Store(2014, 5, 20, minute, {20});
    for (int minute = 6 * 60 + 30; minute < 12 * 60; ++minute) world.Store(2014, 5, 21, minute, {20});
    CSleepDlg dialog(world.Context(), 2014, 5, 20);
    EXPECT_EQ(Label(dialog, "estimateLabel")->text(), "Estimate: bed 23:00, getting up 06:29");
    EXPECT_EQ(Label(dialog, "bedTimeLabel")->text().right(8), "Bad Time") << "the described results stay";
    EXPECT_GT(Label(dialog, "estimateLabel")->geometry().top(),
              Label(dialog, "bedTimeLabel")->geometry().bottom());
    EXPECT_LT(Label(dialog, "estimateLabel")->geometry().bottom(),
              test::Named<CSleepChartCtrl>(dialog, "sleepChart")->geometry().top());

    // The chart shows the same two times, in the estimate's colour the legend names.
    const auto* chart = test::Named<CSleepChartCtrl>(dialog, "sleepChart");
    const auto markedColumns = [chart] {
        std::vector<int> columns;
        const QImage shown = chart->Render();
        const int middle = (chart->Plot().top + chart->Plot().bottom) / 2;
        for (int x = chart->Plot().left; x < chart->Plot().right; ++x)
            if (test::PixelOf(shown, x, middle) == test::kEstimate) columns.push_back(x);
        return columns;
    };
    const SleepChartSetup setup = dialog.Session().ChartSetup();
    const std::vector<int> marks = markedColumns();
    ASSERT_EQ(marks.size(), 4u) << "two lines, two pixels wide";
    EXPECT_EQ(marks[0], test::ColumnOf(chart->Plot(), 23.0, setup.timeLower, setup.timeUpper));
    EXPECT_EQ(marks[2], test::ColumnOf(chart->Plot(), 24 + 6 + 29 / 60.0, setup.timeLower, setup.timeUpper));
    std::vector<QString> legends;
    for (const ChartLabel& label : chart->Labels()) legends.push_back(label.text);
    EXPECT_NE(std::find(legends.begin(), legends.end(), "Estimate: bed and getting up"), legends.end());

    Click(dialog, "nextDayButton");
    EXPECT_EQ(Label(dialog, "estimateLabel")->text(), "Estimate: -") << "22 May holds no step";
    EXPECT_TRUE(markedColumns().empty()) << "no estimate, no marks";

    world.app.Config().SetLanguageInMemory(kTraditionalChinese);
    CSleepDlg chinese(world.Context(), 2014, 5, 20);
    EXPECT_EQ(Label(chinese, "estimateLabel")->text(), QString::fromUtf8("估計：就寢 23:00，起床 06:29"));
}

TEST_F(SleepDlgTest, TheDebugChordHeldAsItOpensMarksTheTitleOnly) {
    world.keyboard.chordHeld = true;
    CSleepDlg dialog(world.Context(), 2014, 5, 3);
    EXPECT_EQ(dialog.windowTitle(), "2014-5-3 Sleep Quaility ...(DEBUG)");
    world.keyboard.chordHeld = false;
    EXPECT_EQ(Label(dialog, "bedTimeLabel")->text(), "20:05\nBad Time");
}

}  // namespace
}  // namespace kiro::gui
