#include "core/analysis/MinuteWindowSums.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

// A month whose every minute holds its own index modulo 7 plus 1, so that each window has a
// different sum.
MonthBuffer NumberedMonth() {
    MonthBuffer buffer;
    for (int t = 0; t < kSlotsPerMonth; ++t) buffer.minutes[t] = static_cast<uint16_t>(t % 7 + 1);
    return buffer;
}

int RawSum(const MonthBuffer& buffer, int from, int to) {
    int sum = 0;
    for (int t = from; t < to; ++t) sum += buffer.minutes[t];
    return sum;
}

TEST(MinuteWindowSumsTest, WindowsStayWholeAtBothEndsOfTheMonth) {
    const MonthBuffer month = NumberedMonth();
    const std::vector<int> first = MinuteWindowSums(month, 2014, 4, 1);
    ASSERT_EQ(first.size(), 1440u);
    EXPECT_EQ(first[0], RawSum(month, 0, 60)) << "before the month start: the first hour of the month";
    EXPECT_EQ(first[29], RawSum(month, 0, 60));
    EXPECT_EQ(first[30], RawSum(month, 0, 60));
    EXPECT_EQ(first[31], RawSum(month, 1, 61));

    // April has 30 days: the 31st day block is not part of it.
    const std::vector<int> last = MinuteWindowSums(month, 2014, 4, 30);
    const int end = 30 * 1440;
    EXPECT_EQ(last[1409], RawSum(month, end - 61, end - 1));
    EXPECT_EQ(last[1410], RawSum(month, end - 60, end));
    EXPECT_EQ(last[1439], RawSum(month, end - 60, end)) << "past the month end: its last hour";

    const std::vector<int> middle = MinuteWindowSums(month, 2014, 4, 10);
    EXPECT_EQ(middle[0], RawSum(month, 9 * 1440 - 30, 9 * 1440 + 30)) << "reaches back into the day before";
}

TEST(MinuteWindowSumsTest, FebruaryEndsOnItsLastDay) {
    const MonthBuffer month = NumberedMonth();
    EXPECT_EQ(MinuteWindowSums(month, 2016, 2, 29)[1439], RawSum(month, 29 * 1440 - 60, 29 * 1440));
    EXPECT_EQ(MinuteWindowSums(month, 2015, 2, 28)[1439], RawSum(month, 28 * 1440 - 60, 28 * 1440));
}

TEST(MinuteWindowSumsTest, LargeCountsDoNotOverflow) {
    MonthBuffer month;
    month.minutes.fill(65535);
    const std::vector<int> sums = MinuteWindowSums(month, 2014, 5, 31);
    EXPECT_EQ(sums[1439], 60 * 65535);
}

TEST(MinuteWindowSumsTest, AxisIsTheNextMultipleOfThePowerOfTenItPasses) {
    const std::pair<int, int> cases[] = {
        {0, 100},      {100, 100},     {101, 200},       {999, 1000},      {1000, 1100},      {1001, 2000},
        {9999, 10000}, {10001, 20000}, {100000, 110000}, {100001, 200000}, {3900000, 4000000}};
    for (auto [largest, axis] : cases) EXPECT_EQ(RoundedAxisMaximum(largest), axis) << largest;
}

}  // namespace
}  // namespace kiro
