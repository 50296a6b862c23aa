#include "core/analysis/ActivityPeriods.h"

#include <gtest/gtest.h>

#include <array>

#include "core/analysis/ReportRow.h"

namespace kiro {
namespace {

struct PeriodCase {
    const char* name;
    std::vector<std::pair<int, int>> minutes;  // minute of the day, count
    int slightMoving;
    std::vector<ActivityPeriod> expected;
};

TEST(ActivityPeriodsTest, PeriodsOfADay) {
    const PeriodCase cases[] = {
        {"quiet day", {}, 5, {}},
        {"one minute", {{600, 100}}, 5, {{600, 600, 100}}},
        {"one idle minute splits", {{600, 10}, {602, 20}}, 5, {{600, 600, 10}, {602, 602, 20}}},
        {"a slight move splits too", {{600, 10}, {601, 5}, {602, 20}}, 5, {{600, 600, 10}, {602, 602, 20}}},
        {"no threshold keeps them joined", {{600, 10}, {601, 5}, {602, 20}}, 0, {{600, 602, 35}}},
        {"runs through 23:59", {{1437, 7}, {1438, 8}, {1439, 9}}, 5, {{1437, 1439, 24}}},
        {"starts at 00:00", {{0, 50}, {1, 60}}, 5, {{0, 1, 110}}},
    };
    for (const PeriodCase& c : cases) {
        std::array<uint16_t, 1440> day{};
        for (auto [minute, count] : c.minutes) day[minute] = static_cast<uint16_t>(count);
        EXPECT_EQ(FindActivityPeriods(day, c.slightMoving), c.expected) << c.name;
    }
}

TEST(ActivityPeriodsTest, RowTextsOfPeriodsAndDays) {
    EXPECT_EQ(PeriodText(2014, 5, 3, 1437, 1439), "2014/05/03 23:57 ~ 23:59");
    EXPECT_EQ(PeriodText(2014, 5, 3, 600, 600), "2014/05/03 10:00 ~ 10:00")
        << "one minute: same start and end";
    EXPECT_EQ(DayText(2014, 5, 3), "2014/05/03");
    const ReportRow first = MakeReportRow(0, "when", 120, {});
    EXPECT_EQ(first.cells[0], "   1");
    EXPECT_EQ(first.cells[2], "120   ");
    EXPECT_EQ(first.background, (Rgb{220, 200, 255}));
    EXPECT_EQ(MakeReportRow(1, "when", 0, {}).background, (Rgb{220, 255, 200}));
}

}  // namespace
}  // namespace kiro
