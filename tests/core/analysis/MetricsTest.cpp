#include "core/analysis/Metrics.h"

#include <gtest/gtest.h>

#include "core/analysis/ReportRow.h"

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
        {"no weight gives nothing", 0, 60, 5.0, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CalcCalories(c.weight, c.minutes, c.speed), c.expected, 1e-9) << c.name;
    EXPECT_EQ(AverageWalkCalories({70, 70}, 5000, 0), 0.0) << "no period: no division by zero";
}

// The shown texts are compared, so that a changed order of operations or rule shows.
TEST(MetricsTest, DayAndPeriodRows) {
    const auto cells = [](const WalkFigures& figures) { return MakeReportRow(0, {}, 0, figures).Cells(); };
    const auto day = cells(DayFigures({60, 70}, 3000, 40));
    EXPECT_EQ(day[3], "1.28   ");
    EXPECT_EQ(day[4], "2.100   ");
    EXPECT_EQ(day[5], "3.231   ") << "40 active minutes span 39";
    EXPECT_EQ(day[6], "128.048   ");

    const auto single = cells(PeriodFigures({60, 70}, 100, 500, 500));
    EXPECT_EQ(single[3], "1.67   ");
    EXPECT_EQ(single[4], "0.070   ");
    EXPECT_EQ(single[5], "4.200   ") << "a one-minute period: metres x 0.06";
    EXPECT_EQ(cells(DayFigures({60, 70}, 100, 2))[5], "4.200   ") << "two active minutes count as one";
    const auto period = cells(PeriodFigures({60, 70}, 1200, 600, 610));
    EXPECT_EQ(period[3], "2.00   ") << "steps per second over the period's 10 minutes";
    EXPECT_EQ(period[5], "5.040   ");
}

}  // namespace
}  // namespace kiro
