#include "core/analysis/Metrics.h"

#include <gtest/gtest.h>

#include "core/analysis/ReportRow.h"
#include "core/app/Format.h"

namespace kiro {
namespace {

TEST(MetricsTest, CalorieBandsAndTheirBounds) {
    struct Case {
        const char* name;
        int weight, minutes;
        double speed, expected;
    };
    const Case cases[] = {
        {"slow walk", 60, 30, 5.0, 152.4375},
        {"just below 8 stays in the slow band", 70, 60, 7.999, 70 * 0.1355 * 60 * 7.999 / 8},
        {"exactly 8 is the middle band", 70, 60, 8.0, 503.16},
        {"just below 12 stays in the middle band", 70, 60, 11.999, 70 * 0.1797 * 60 * 11.999 / 12},
        {"exactly 12 is the top band", 70, 60, 12.0, 630.0},
        {"no duration counts as one minute", 60, 0, 4.0, 4.065},
        {"a negative duration counts as one minute", 60, -5, 4.0, 4.065},
        {"no weight gives nothing", 0, 60, 5.0, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CalcCalories(c.weight, c.minutes, c.speed), c.expected, 1e-9) << c.name;
}

// The values shown are the texts; comparing them catches a changed order or rule.
std::array<std::string, 7> DayCells(const BodyMeasures& body, int steps, int activeMinutes) {
    return MakeReportRow(0, "", steps, DayFigures(body, steps, activeMinutes)).cells;
}

TEST(MetricsTest, DayRowOf3000StepsIn40ActiveMinutes) {
    const auto cells = DayCells({60, 70}, 3000, 40);
    EXPECT_EQ(cells[3], "1.28   ");
    EXPECT_EQ(cells[4], "2.100   ");
    EXPECT_EQ(cells[5], "3.231   ") << "39 minutes from the first active minute";
    EXPECT_EQ(cells[6], Format("%.3f   ", CalcCalories(60, 39, 2100 * 60 / 39.0 * 0.001)));
}

TEST(MetricsTest, ShortDaysAndPeriodsCountAsOneMinute) {
    const BodyMeasures body{60, 70};
    for (int activeMinutes : {1, 2}) {
        const WalkFigures day = DayFigures(body, 100, activeMinutes);
        EXPECT_NEAR(day.speedKmh, 4.2, 1e-12) << activeMinutes;
        EXPECT_NEAR(day.cadence, 100 / 60.0, 1e-12) << activeMinutes;
    }
    const WalkFigures single = PeriodFigures(body, 100, 500, 500);
    EXPECT_NEAR(single.distanceKm, 0.07, 1e-12);
    EXPECT_NEAR(single.speedKmh, 70 * 0.06, 1e-12);
    EXPECT_EQ(Format("%.2f", single.cadence), "1.67");
    EXPECT_NEAR(single.calories, CalcCalories(60, 1, 4.2), 1e-12);

    const WalkFigures period = PeriodFigures(body, 1200, 600, 610);
    EXPECT_NEAR(period.speedKmh, 840.0 * 60 / 10 * 0.001, 1e-12);
    EXPECT_NEAR(period.cadence, 1200 / 60.0 / 10, 1e-12);
    EXPECT_NEAR(period.calories, CalcCalories(60, 10, period.speedKmh), 1e-12);
}

TEST(MetricsTest, SlightMoveThresholdIsExclusive) {
    EXPECT_EQ(FilteredCount(5, 5), 0);
    EXPECT_EQ(FilteredCount(6, 5), 6) << "one step more counts whole";
    EXPECT_EQ(FilteredCount(1, 0), 1);
    EXPECT_EQ(FilteredCount(0, 0), 0);
}

TEST(MetricsTest, AxisAndAverageWalkCalories) {
    EXPECT_NEAR(CalorieAxisMaximum({70, 70}, 1000), CalcCalories(70, 60, 0.7), 1e-12);
    EXPECT_NEAR(CalorieAxisMaximum({70, 70}, 20000), CalcCalories(70, 60, 14.0), 1e-12)
        << "fast enough for the top band";
    EXPECT_EQ(AverageWalkCalories({70, 70}, 5000, 0), 0.0);
    EXPECT_NEAR(AverageWalkCalories({70, 70}, 6000, 60), CalcCalories(70, 60, 6000 * 70 * 0.0006 / 60),
                1e-12);
    EXPECT_EQ(AverageWalkCalories({70, 0}, 6000, 60), 0.0) << "no step size, no distance, no energy";
}

}  // namespace
}  // namespace kiro
