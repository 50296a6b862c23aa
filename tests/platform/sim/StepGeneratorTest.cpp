#include "platform/sim/StepGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "core/base/CalendarMath.h"

namespace kiro::sim {
namespace {

int Sum(const DaySteps& day, int fromMinute, int toMinute) {
    return std::accumulate(day.minutes.begin() + fromMinute, day.minutes.begin() + toMinute, 0);
}

constexpr int At(int hour, int minute = 0) {
    return hour * 60 + minute;
}

// Minutes at walking pace (60 steps or more).
int WalkingMinutes(const DaySteps& day, int fromMinute, int toMinute) {
    return static_cast<int>(std::count_if(day.minutes.begin() + fromMinute, day.minutes.begin() + toMinute,
                                          [](int s) { return s >= 60; }));
}

TEST(StepGeneratorTest, SameSeedAndDateGiveTheSameDayInAnySpan) {
    const auto span = GenerateDays(2014, 4, 28, 7, 42);
    ASSERT_EQ(span.size(), 7u);
    EXPECT_EQ(span[6].month, 5);
    EXPECT_EQ(span[6].day, 4);
    EXPECT_EQ(span[3].minutes, GenerateDay(2014, 5, 1, 42).minutes);
    EXPECT_NE(span[3].minutes, GenerateDay(2014, 5, 1, 43).minutes);
    EXPECT_NE(span[3].minutes, span[2].minutes);
}

TEST(StepGeneratorTest, FourWeeksLookLikeAnOfficeWorkersLife) {
    for (const DaySteps& day : GenerateDays(2014, 5, 1, 28, 7)) {
        SCOPED_TRACE(std::to_string(day.month) + "/" + std::to_string(day.day));
        const int total = Sum(day, 0, At(24));
        const int weekday = WeekdayOf(day.year, day.month, day.day);
        EXPECT_LE(*std::max_element(day.minutes.begin(), day.minutes.end()), 200);
        // Asleep between 1 and 5: restless turns and perhaps a short trip, little else.
        EXPECT_LT(Sum(day, At(1), At(5)), 250);
        EXPECT_GT(Sum(day, At(1), At(5)), 0) << "nights are not dead still";
        if (weekday == 6) {
            EXPECT_GE(WalkingMinutes(day, At(9), At(16)), 150) << "Saturday hike";
            EXPECT_GT(total, 12000);
        } else if (weekday != 0) {
            EXPECT_GT(total, 5000);
            EXPECT_LT(total, 20000);
            EXPECT_LT(Sum(day, At(10), At(11, 30)), 1000) << "office hours are mostly spent sitting";
            EXPECT_GE(Sum(day, At(6), At(10)), 1200) << "morning commute";
        }
    }
}

}  // namespace
}  // namespace kiro::sim
