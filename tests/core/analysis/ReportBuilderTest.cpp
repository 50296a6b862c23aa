#include "core/analysis/ReportBuilder.h"

#include <gtest/gtest.h>

#include <numeric>

#include "AnalysisWorld.h"
#include "core/app/Format.h"
#include "platform/sim/RealWorldSteps.h"

namespace kiro {
namespace {

class ReportBuilderTest : public ::testing::Test {
  protected:
    test::AnalysisWorld world;
    ReportBuilder builder{world.app.Store(), world.app.Config()};

    void SetUp() override { world.app.Config().SetPersonal(20000201, 170, 60, 70); }

    std::vector<std::string> WhenColumn(const Report& report) const {
        std::vector<std::string> texts;
        for (const ReportRow& row : report.rows) texts.push_back(row.cells[kWhenColumn]);
        return texts;
    }
};

TEST_F(ReportBuilderTest, QuietOrMissingMonthHasNoRowsAndAxisOf100) {
    world.Store(2014, 5, 3, 8, 0, {5, 5, 1, 5});  // nothing above the slight-move threshold
    const Report quiet = builder.Build(ReportMode::Month, 2014, 5, 3);
    EXPECT_TRUE(quiet.rows.empty());
    EXPECT_EQ(quiet.leftMax, 100);
    EXPECT_DOUBLE_EQ(quiet.rightMax, CalorieAxisMaximum({60, 70}, 100));
    EXPECT_EQ(quiet.series, std::vector<int>(744, 0));

    const Report missing = builder.Build(ReportMode::Month, 2014, 6, 3);
    EXPECT_TRUE(missing.rows.empty());
    EXPECT_EQ(missing.leftMax, 100);
    EXPECT_EQ(missing.rightMax, 100.0) << "no month file: both axes keep their defaults";
    EXPECT_EQ(missing.series.size(), 744u);
}

TEST_F(ReportBuilderTest, MonthRowsHoldTheFilteredDayTotals) {
    world.Store(2014, 5, 3, 10, 0, std::initializer_list<int>{100, 5, 200, 6});  // the 5 is a slight move
    world.Store(2014, 5, 31, 23, 59, {300});
    const Report& report = builder.Build(ReportMode::Month, 2014, 5, 20);
    ASSERT_EQ(report.rows.size(), 2u);
    const WalkFigures day3 = DayFigures({60, 70}, 306, 3);
    EXPECT_EQ(report.rows[0].cells, (std::array<std::string, 7>{
                                        "   1", "2014/05/03", "306   ", Format("%.2f   ", day3.cadence),
                                        Format("%.3f   ", day3.distanceKm), Format("%.3f   ", day3.speedKmh),
                                        Format("%.3f   ", day3.calories)}));
    EXPECT_EQ(report.rows[1].cells[0], "   2");
    EXPECT_EQ(report.rows[1].cells[1], "2014/05/31");
    EXPECT_EQ(report.rows[1].background, (Rgb{220, 255, 200}));
    EXPECT_EQ(report.series[2 * 24 + 10], 306);
    EXPECT_EQ(report.series[30 * 24 + 23], 300);
    EXPECT_EQ(report.leftMax, 306);
    EXPECT_DOUBLE_EQ(report.rightMax, CalorieAxisMaximum({60, 70}, 306));

    const GraphSetup& graph = report.graph;
    EXPECT_EQ(graph.valueUpper, 306);
    EXPECT_EQ(graph.timeLower, 1.0);
    EXPECT_EQ(graph.timeUpper, 31.99);
    EXPECT_EQ(graph.timeCaptionText, 8);
    EXPECT_EQ(graph.labelStyle, TimeLabelStyle::Numbers);
    ASSERT_EQ(report.lines.size(), 743u) << "the last point is only the end of the last segment";
    EXPECT_EQ(report.lines[57], (GraphLine{1.0 + 57 / 24.0, 0, 1.0 + 58 / 24.0, 306}));
    EXPECT_EQ(report.lines.back().x2, 1.0 + 743 / 24.0);
}

TEST_F(ReportBuilderTest, DayRowsArePeriodsThroughTheEndOfTheDay) {
    world.Store(2014, 5, 3, 9, 0, {50, 0, 60});
    world.Store(2014, 5, 3, 23, 58, {70, 80});
    world.Store(2014, 5, 4, 0, 0, {90});  // the next day is not part of the report
    const Report& report = builder.Build(ReportMode::Day, 2014, 5, 3);
    EXPECT_EQ(WhenColumn(report),
              (std::vector<std::string>{"2014/05/03 09:00 ~ 09:00", "2014/05/03 09:02 ~ 09:02",
                                        "2014/05/03 23:58 ~ 23:59"}));
    EXPECT_EQ(report.rows[2].cells[2], "150   ");
    EXPECT_EQ(report.series.size(), 24u);
    EXPECT_EQ(report.series[9], 110);
    EXPECT_EQ(report.series[23], 150);
    EXPECT_EQ(report.leftMax, 150);
    EXPECT_EQ(report.graph.timeUpper, 24.0);
    EXPECT_EQ(report.graph.timeCaptionText, 7);
    EXPECT_EQ(report.lines.size(), 23u);
}

TEST_F(ReportBuilderTest, PerMinuteDayViewDrawsWindowSumsAsBars) {
    world.app.Config().SetDisplayMode(1);
    world.Store(2014, 5, 3, 12, 0, {3, 3000, 3});
    const Report& report = builder.Build(ReportMode::Day, 2014, 5, 3);
    ASSERT_EQ(report.series.size(), 1440u);
    EXPECT_EQ(report.series[12 * 60 + 1], 3006) << "raw counts: the slight moves are in";
    EXPECT_EQ(report.series[12 * 60 + 31], 3003) << "the window is minutes -30 .. +29";
    EXPECT_EQ(report.series[12 * 60 + 32], 3);
    EXPECT_EQ(report.series[12 * 60 + 33], 0);
    EXPECT_EQ(report.leftMax, 4000);
    EXPECT_DOUBLE_EQ(report.rightMax, CalorieAxisMaximum({60, 70}, 3000))
        << "the calorie axis of the hourly view";
    ASSERT_EQ(report.lines.size(), 1440u);
    EXPECT_EQ(report.lines[721], (GraphLine{721 / 60.0, 3006, 721 / 60.0, 0}));
    EXPECT_EQ(report.lines[1439].x1, 1439 / 60.0) << "the last minute has its bar";
}

TEST_F(ReportBuilderTest, WeekRunsFromSundayAcrossTheMonthEnd) {
    // Wednesday 30 April 2014: the week is Sunday 27 April to Saturday 3 May.
    world.Store(2014, 4, 26, 10, 0, {100});  // Saturday before: not in the week
    world.Store(2014, 4, 27, 0, 0, {100});
    world.Store(2014, 4, 30, 23, 59, {200});
    world.Store(2014, 5, 1, 0, 0, {300});
    world.Store(2014, 5, 3, 23, 0, {400});
    world.Store(2014, 5, 4, 10, 0, {500});  // Sunday after: not in the week
    const Report& report = builder.Build(ReportMode::Week, 2014, 4, 30);
    EXPECT_EQ(WhenColumn(report),
              (std::vector<std::string>{"2014/04/27 00:00 ~ 00:00", "2014/04/30 23:59 ~ 23:59",
                                        "2014/05/01 00:00 ~ 00:00", "2014/05/03 23:00 ~ 23:00"}))
        << "a period over midnight is split so that each row names one day";
    ASSERT_EQ(report.series.size(), 168u);
    EXPECT_EQ(report.series[0], 100);
    EXPECT_EQ(report.series[3 * 24 + 23], 200);
    EXPECT_EQ(report.series[4 * 24], 300);
    EXPECT_EQ(report.series[6 * 24 + 23], 400);
    EXPECT_EQ(report.leftMax, 400);
    EXPECT_EQ(report.graph.labelStyle, TimeLabelStyle::WeekdayNames);
    EXPECT_EQ(report.graph.timeCaptionText, 54);
    EXPECT_EQ(report.graph.timeUpper, 6.99);
    EXPECT_EQ(report.lines.size(), 167u);

    EXPECT_EQ(builder.Build(ReportMode::Week, 2014, 5, 3).rows.size(), 4u) << "Saturday: same week";
    EXPECT_EQ(WhenColumn(builder.Build(ReportMode::Week, 2014, 5, 4)),
              (std::vector<std::string>{"2014/05/04 10:00 ~ 10:00"}))
        << "the next week of the same month is built, not taken from the cache";
}

TEST_F(ReportBuilderTest, WeekAcrossTheYearEnd) {
    world.Store(2014, 12, 28, 8, 0, {100});
    world.Store(2015, 1, 3, 8, 0, {200});
    const Report& report = builder.Build(ReportMode::Week, 2015, 1, 1);
    EXPECT_EQ(WhenColumn(report),
              (std::vector<std::string>{"2014/12/28 08:00 ~ 08:00", "2015/01/03 08:00 ~ 08:00"}));
}

TEST_F(ReportBuilderTest, MonthReportIsKeptUntilSomethingItShowsChanges) {
    world.Store(2014, 5, 3, 10, 0, {100});
    ASSERT_EQ(builder.Build(ReportMode::Month, 2014, 5, 3).rows.size(), 1u);

    // A write that the App's store does not count: a kept report and month do not see it.
    MonthStore outside(world.app.Paths());
    MonthBuffer changed = outside.LoadMonth(2014, 5).buffer;
    AddToSlot(changed, 9, 10, 0, 100);
    ASSERT_TRUE(outside.SaveMonth(2014, 5, changed));
    EXPECT_EQ(builder.Build(ReportMode::Month, 2014, 5, 20).rows.size(), 1u)
        << "another date of the same month";
    EXPECT_EQ(builder.Build(ReportMode::Day, 2014, 5, 9).rows.size(), 0u)
        << "the kept month is not read again";

    builder.Invalidate();
    EXPECT_EQ(builder.Build(ReportMode::Month, 2014, 5, 3).rows.size(), 2u)
        << "after Invalidate the month is read";

    world.Store(2014, 5, 10, 10, 0, {100});
    EXPECT_EQ(builder.Build(ReportMode::Month, 2014, 5, 3).rows.size(), 3u) << "a save through the store";

    world.app.Config().SetPersonal(20000201, 170, 80, 70);
    EXPECT_EQ(builder.Build(ReportMode::Month, 2014, 5, 3).rows[0].cells[6],
              Format("%.3f   ", DayFigures({80, 70}, 100, 1).calories))
        << "a new weight shows at once";

    world.app.Config().SetSlightMoving(100);
    EXPECT_TRUE(builder.Build(ReportMode::Month, 2014, 5, 3).rows.empty()) << "a new threshold too";
}

TEST_F(ReportBuilderTest, DateThatDoesNotExistGivesAnEmptyReport) {
    world.Store(2014, 4, 30, 10, 0, {100});
    for (auto [month, day] : {std::pair{4, 31}, {4, 0}, {13, 1}, {0, 1}}) {
        for (ReportMode mode : {ReportMode::Month, ReportMode::Week, ReportMode::Day}) {
            const Report& report = builder.Build(mode, 2014, month, day);
            EXPECT_TRUE(report.rows.empty());
            EXPECT_EQ(report.leftMax, 100);
        }
    }
    EXPECT_EQ(ReportModeFromSetting(7), ReportMode::Month);
    EXPECT_EQ(ReportModeFromSetting(1), ReportMode::Week);
}

// Real steps of real people: the month report's day totals are the sums of the minutes above the
// threshold, for every day of the month that has any.
TEST_F(ReportBuilderTest, RealMonthTotalsMatchTheMinuteData) {
    const std::string csv = std::string(KIRO_SOURCE_DIR) + "/data/realworld/minuteStepsWide.csv";
    for (int slightMoving : {0, 5}) {
        for (const char* person : {sim::kRealWorldParticipants[0], sim::kRealWorldParticipants[2]}) {
            world.app.Store().DeleteAll();
            world.app.Config().SetSlightMoving(slightMoving);
            MonthBuffer april;
            std::vector<std::string> expected;
            for (const sim::RealDay& day : sim::LoadRealWorldSteps(csv, person)) {
                if (day.year != 2016 || day.month != 4) continue;
                int total = 0;
                for (int m = 0; m < 1440; ++m) {
                    AddToSlot(april, day.day, m / 60, m % 60, day.minutes[m]);
                    if (day.minutes[m] > slightMoving) total += day.minutes[m];
                }
                if (total > 0) expected.push_back(Format("2016/04/%02d %d", day.day, total));
            }
            ASSERT_GT(expected.size(), 10u) << person;
            ASSERT_TRUE(world.app.Store().SaveMonth(2016, 4, april));
            std::vector<std::string> shown;
            for (const ReportRow& row : builder.Build(ReportMode::Month, 2016, 4, 1).rows)
                shown.push_back(row.cells[1] + " " + row.cells[2].substr(0, row.cells[2].size() - 3));
            EXPECT_EQ(shown, expected) << person << " threshold " << slightMoving;
        }
    }
}

}  // namespace
}  // namespace kiro
