#include "core/analysis/MinuteWindowSums.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kiro {
namespace {

TEST(MinuteWindowSumsTest, WindowsStayWholeAtBothEndsOfTheMonth) {
    // Every minute holds its index modulo 7 plus 1, so that each window has its own sum.
    MonthBuffer month;
    for (int t = 0; t < kSlotsPerMonth; ++t) month.minutes[t] = static_cast<uint16_t>(t % 7 + 1);
    const auto sum = [&month](int from) {
        int total = 0;
        for (int t = from; t < from + 60; ++t) total += month.minutes[t];
        return total;
    };
    const std::vector<int> first = MinuteWindowSums(month, 2014, 4, 1);
    EXPECT_EQ(first[0], sum(0)) << "before the month start: its first hour";
    EXPECT_EQ(first[30], sum(0));
    EXPECT_EQ(first[31], sum(1));
    EXPECT_EQ(MinuteWindowSums(month, 2014, 4, 10)[0], sum(9 * 1440 - 30)) << "reaches into the day before";
    // April has 30 days: the 31st day block is not part of it.
    const std::vector<int> last = MinuteWindowSums(month, 2014, 4, 30);
    EXPECT_EQ(last[1409], sum(30 * 1440 - 61));
    EXPECT_EQ(last[1439], sum(30 * 1440 - 60)) << "past the month end: its last hour";
    EXPECT_EQ(MinuteWindowSums(month, 2016, 2, 29)[1439], sum(29 * 1440 - 60)) << "leap February";
    // Every minute of every day: the window centred on it, held within the month.
    for (int day = 1; day <= 30; ++day) {
        const std::vector<int> sums = MinuteWindowSums(month, 2014, 4, day);
        for (int m = 0; m < 1440; ++m) {
            const int start = std::clamp((day - 1) * 1440 + m - 30, 0, 30 * 1440 - 60);
            ASSERT_EQ(sums[m], sum(start)) << "day " << day << " minute " << m;
        }
    }

    month.minutes.fill(65535);
    EXPECT_EQ(MinuteWindowSums(month, 2014, 5, 31)[1439], 60 * 65535) << "a month of counts passes 2^31";
}

TEST(MinuteWindowSumsTest, AxisIsTheNextMultipleOfThePowerOfTenItPasses) {
    const std::pair<int, int> cases[] = {
        {0, 100},     {100, 100},     {101, 200},       {999, 1000},      {1000, 1100},
        {1001, 2000}, {10001, 20000}, {100000, 110000}, {100001, 200000}, {3900000, 4000000}};
    for (auto [largest, axis] : cases) EXPECT_EQ(RoundedAxisMaximum(largest), axis) << largest;
}

}  // namespace
}  // namespace kiro
