#include "core/analysis/ReportBuilder.h"

#include <gtest/gtest.h>

#include "AnalysisWorld.h"
#include "core/base/Format.h"
#include "platform/sim/RealWorldSteps.h"
#include "support/ErrorCodes.h"

namespace kiro {
namespace {

class ReportBuilderTest : public ::testing::Test {
  protected:
    test::AnalysisWorld world;
    ReportBuilder builder{world.app.Store(), world.app.Config()};

    std::vector<std::string> Column(ReportMode mode, int year, int month, int day, int column = kWhenColumn) {
        std::vector<std::string> texts;
        for (const ReportRow& row : builder.Build(mode, year, month, day).rows)
            texts.push_back(row.Cell(column));
        return texts;
    }
};

// The calorie axis tops at the energy of walking the step axis's top in an hour, for the world's
// 60 kg and 70 cm steps: s steps an hour are s x 70 cm = s x 0.0007 km in an hour, and below
// 8 km/h an hour's walk takes 60 kg x 0.1355 x 60 minutes x speed / 8 = 60.975 x speed kcal.
double CalorieAxisTop(int stepsPerHour) {
    return 60.975 * (stepsPerHour * 0.0007);
}

TEST_F(ReportBuilderTest, QuietOrMissingMonthHasNoRowsAndAxisOf100) {
    world.Store(2014, 5, 3, 480, {5, 5, 1, 5});  // nothing above the slight-move threshold
    const Report quiet = builder.Build(ReportMode::Month, 2014, 5, 3);
    EXPECT_TRUE(quiet.rows.empty());
    EXPECT_EQ(quiet.leftMax, 100);
    EXPECT_NEAR(quiet.rightMax, CalorieAxisTop(100), 1e-9) << "4.26825 kcal";
    const Report& missing = builder.Build(ReportMode::Month, 2014, 6, 3);
    EXPECT_TRUE(missing.rows.empty());
    EXPECT_EQ(missing.rightMax, 100.0) << "no month file: both axes keep their defaults";
    EXPECT_EQ(missing.series, std::vector<int>(744, 0));
    EXPECT_TRUE(builder.Build(ReportMode::Day, 2014, 4, 31).rows.empty()) << "a day that does not exist";
}

TEST_F(ReportBuilderTest, MonthRowsAndGraph) {
    world.Store(2014, 5, 3, 600, {100, 5, 200, 6});  // the 5 is a slight move
    world.Store(2014, 5, 31, 1439, {300});
    const Report& report = builder.Build(ReportMode::Month, 2014, 5, 20);
    ASSERT_EQ(report.rows.size(), 2u);
    // The 3rd: 100 + 200 + 6 = 306 steps in 3 active minutes, which span 2 minutes from the first.
    // 306 steps of 70 cm are 214.2 m: 0.214 km; over 2 minutes 6.426 km/h; 306 / 60 / 2 = 2.55
    // steps a second; under 8 km/h, 60 kg x 0.1355 x 2 minutes x 6.426 / 8 = 13.060845 kcal.
    EXPECT_EQ(report.rows[0].Cells(), (std::array<std::string, 7>{"   1", "2014/05/03", "306   ", "2.55   ",
                                                                  "0.214   ", "6.426   ", "13.061   "}));
    EXPECT_EQ(report.rows[0].background, (Rgb{220, 200, 255}));
    EXPECT_EQ(report.rows[1].background, (Rgb{220, 255, 200}));
    EXPECT_EQ(report.series[2 * 24 + 10], 306);
    EXPECT_EQ(report.graph.valueUpper, 306);
    EXPECT_NEAR(report.graph.rightUpper, CalorieAxisTop(306), 1e-9) << "13.060845 kcal";
    EXPECT_EQ(report.graph.timeCaptionText, TextId::Days);
    ASSERT_EQ(report.lines.size(), 743u) << "the last point is only the end of the last segment";
    EXPECT_EQ(report.lines[57], (GraphLine{1.0 + 57 / 24.0, 0, 1.0 + 58 / 24.0, 306}));
}

TEST_F(ReportBuilderTest, DayRowsArePeriodsThroughTheEndOfTheDay) {
    world.Store(2014, 5, 3, 540, {50, 5, 60});  // a slight move ends a period
    world.Store(2014, 5, 3, 1438, {70, 80});
    world.Store(2014, 5, 4, 0, {90});  // the next day is not part of the report
    EXPECT_EQ(Column(ReportMode::Day, 2014, 5, 3),
              (std::vector<std::string>{"2014/05/03 09:00 ~ 09:00", "2014/05/03 09:02 ~ 09:02",
                                        "2014/05/03 23:58 ~ 23:59"}));
    const Report& report = builder.Build(ReportMode::Day, 2014, 5, 3);
    EXPECT_EQ(report.series[23], 150);
    EXPECT_EQ(report.leftMax, 150);
    EXPECT_EQ(report.lines.size(), 23u);
}

TEST_F(ReportBuilderTest, PerMinuteDayViewDrawsWindowSumsAsBars) {
    world.app.Config().SetDisplayMode(1);
    world.Store(2014, 5, 3, 720, {3, 3000, 3});
    const Report& report = builder.Build(ReportMode::Day, 2014, 5, 3);
    ASSERT_EQ(report.series.size(), 1440u);
    EXPECT_EQ(report.series[721], 3006) << "raw counts: the slight moves are in";
    EXPECT_EQ(report.series[751], 3003) << "the window is minutes -30 .. +29";
    EXPECT_EQ(report.leftMax, 4000);
    EXPECT_NEAR(report.rightMax, CalorieAxisTop(3000), 1e-9)
        << "128.0475 kcal: the calorie axis of the hourly view, whose hour holds 3000 steps above the "
           "threshold";
    ASSERT_EQ(report.lines.size(), 1440u) << "the last minute has its bar too";
    EXPECT_EQ(report.lines[721], (GraphLine{721 / 60.0, 3006, 721 / 60.0, 0}));
}

TEST_F(ReportBuilderTest, AWatchOfMinutesGetsBarsInTheMonthAndWeekToo) {
    world.Store(2014, 5, 3, 600, {100});
    ASSERT_EQ(builder.Build(ReportMode::Month, 2014, 5, 3).lines[57],
              (GraphLine{1.0 + 57 / 24.0, 0, 1.0 + 58 / 24.0, 100}));
    world.app.Config().SetDisplayMode(1);
    const Report& month = builder.Build(ReportMode::Month, 2014, 5, 3);
    ASSERT_EQ(month.lines.size(), 744u) << "a new display mode is a new report";
    EXPECT_EQ(month.lines[58], (GraphLine{1.0 + 58 / 24.0, 100, 1.0 + 58 / 24.0, 0}));
    const Report& week = builder.Build(ReportMode::Week, 2014, 5, 3);
    ASSERT_EQ(week.lines.size(), 168u);
    EXPECT_EQ(week.lines[6 * 24 + 10], (GraphLine{6 + 10 / 24.0, 100, 6 + 10 / 24.0, 0}));
}

TEST_F(ReportBuilderTest, WeekRunsFromSundayAcrossMonthAndYearEnds) {
    // Wednesday 30 April 2014: the week is Sunday 27 April to Saturday 3 May.
    world.Store(2014, 4, 26, 600, {100});  // Saturday before
    world.Store(2014, 4, 27, 0, {100});
    world.Store(2014, 4, 30, 1439, {200});
    world.Store(2014, 5, 1, 0, {300});
    world.Store(2014, 5, 3, 1380, {400});
    world.Store(2014, 5, 4, 600, {500});  // Sunday after
    EXPECT_EQ(Column(ReportMode::Week, 2014, 4, 30),
              (std::vector<std::string>{"2014/04/27 00:00 ~ 00:00", "2014/04/30 23:59 ~ 23:59",
                                        "2014/05/01 00:00 ~ 00:00", "2014/05/03 23:00 ~ 23:00"}))
        << "a period over midnight is split so that each row names one day";
    const Report& report = builder.Build(ReportMode::Week, 2014, 4, 30);
    ASSERT_EQ(report.series.size(), 168u);
    EXPECT_EQ(report.series[4 * 24], 300);
    EXPECT_EQ(report.graph.labelStyle, TimeLabelStyle::WeekdayNames);
    EXPECT_EQ(Column(ReportMode::Week, 2014, 5, 4), (std::vector<std::string>{"2014/05/04 10:00 ~ 10:00"}))
        << "the next week of the same month is built, not taken from the cache";

    world.Store(2014, 12, 28, 480, {100});
    world.Store(2015, 1, 3, 480, {200});
    EXPECT_EQ(Column(ReportMode::Week, 2015, 1, 1),
              (std::vector<std::string>{"2014/12/28 08:00 ~ 08:00", "2015/01/03 08:00 ~ 08:00"}));
}

TEST_F(ReportBuilderTest, KeptMonthIsUsedUntilSomethingItShowsChanges) {
    world.Store(2014, 5, 3, 600, {100});
    ASSERT_EQ(builder.Build(ReportMode::Month, 2014, 5, 3).rows.size(), 1u);
    // A write that the App's store does not count: the kept report and month do not see it.
    MonthStore outside(world.app.Writer());
    MonthBuffer changed = outside.LoadMonth(2014, 5).buffer;
    AddToSlot(changed, 9, 10, 0, 100);
    ASSERT_TRUE(test::Ok(outside.SaveMonth(2014, 5, changed)));
    EXPECT_EQ(builder.Build(ReportMode::Month, 2014, 5, 20).rows.size(), 1u);
    EXPECT_EQ(builder.Build(ReportMode::Day, 2014, 5, 9).rows.size(), 0u) << "the file is not read again";

    builder.Invalidate();
    EXPECT_EQ(builder.Build(ReportMode::Month, 2014, 5, 3).rows.size(), 2u);
    world.Store(2014, 5, 10, 600, {100});
    EXPECT_EQ(builder.Build(ReportMode::Month, 2014, 5, 3).rows.size(), 3u) << "a save through the store";
    world.app.Config().SetPersonal(20000201, 170, 80, 70);
    // One active minute of 100 steps: 70 m at 70 m x 0.06 = 4.2 km/h, taken as one minute;
    // 80 kg x 0.1355 x 1 x 4.2 / 8 = 5.691 kcal.
    EXPECT_EQ(Column(ReportMode::Month, 2014, 5, 3, 6)[0], "5.691   ") << "a new weight shows at once";
    world.app.Config().SetSlightMoving(100);
    EXPECT_TRUE(builder.Build(ReportMode::Month, 2014, 5, 3).rows.empty()) << "a new threshold too";
}

// Real steps of real people: the day totals of the month report are the sums of their minutes
// above the threshold, for every day of the month that has any.
TEST_F(ReportBuilderTest, RealMonthTotalsMatchTheMinuteData) {
    const std::string csv = std::string(KIRO_SOURCE_DIR) + "/data/realworld/minuteStepsWide.csv";
    for (int slightMoving : {0, 5}) {
        for (const char* person : {sim::kRealWorldParticipants[0], sim::kRealWorldParticipants[2]}) {
            world.app.Config().SetSlightMoving(slightMoving);
            MonthBuffer april;
            std::vector<std::string> expected;
            for (const sim::RealDay& day : sim::LoadRealWorldSteps(csv, person)) {
                if (day.month != 4) continue;
                int total = 0;
                for (int m = 0; m < 1440; ++m) {
                    AddToSlot(april, day.day, m / 60, m % 60, day.minutes[m]);
                    total += day.minutes[m] > slightMoving ? day.minutes[m] : 0;
                }
                if (total > 0) expected.push_back(Format("2016/04/%02d %d   ", day.day, total));
            }
            ASSERT_GT(expected.size(), 10u) << person;
            ASSERT_TRUE(test::Ok(world.app.Store().SaveMonth(2016, 4, april)));
            std::vector<std::string> shown;
            for (const ReportRow& row : builder.Build(ReportMode::Month, 2016, 4, 1).rows)
                shown.push_back(row.Cell(1) + " " + row.Cell(2));
            EXPECT_EQ(shown, expected) << person << " threshold " << slightMoving;
        }
    }
}

}  // namespace
}  // namespace kiro
