#include "core/watchconfig/BatteryCurve.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

// A page whose ring holds `readings` from the oldest on, the newest at the ring position.
std::array<uint8_t, 512> Page(const std::vector<uint8_t>& readings, int ring = 100) {
    std::array<uint8_t, 512> page{};
    page[256] = static_cast<uint8_t>(ring);
    for (size_t i = 0; i < readings.size(); ++i) page[272 + (ring + 1 + i) % 240] = readings[i];
    return page;
}

TEST(BatteryCurveTest, LevelsAndTheirBandsAtTheEdges) {
    EXPECT_DOUBLE_EQ(BatteryLevel(217), 49.99999999999999);
    EXPECT_EQ(BandOf(BatteryLevel(217)), BatteryBand::Yellow) << "just below half is not yet green";
    EXPECT_EQ(BandOf(BatteryLevel(218)), BatteryBand::Green);
    EXPECT_NEAR(BatteryLevel(218), 52.94, 0.01);
    EXPECT_EQ(BandOf(BatteryLevel(209)), BatteryBand::Red);
    EXPECT_NEAR(BatteryLevel(209), 26.47, 0.01);
    EXPECT_EQ(BatteryLevel(150), 0.0);
    EXPECT_EQ(BatteryLevel(250), 100.0);
}

TEST(BatteryCurveTest, HoursBetweenReadingsAreInterpolatedAndTheNewestIsNotDrawn) {
    EXPECT_TRUE(BatteryCurve(Page({220})).empty()) << "one reading draws nothing";
    // 230 at hour 0, a gap, 220 at hour 4: the step (220 - 230) x hours / 4 is cut toward zero,
    // so a falling curve stays above the straight line: 230, 228, 225, 223.
    const std::vector<BatteryHour> hours = BatteryCurve(Page({230, 0, 0, 0, 220}));
    ASSERT_EQ(hours.size(), 4u);
    const int expected[] = {230, 228, 225, 223};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(hours[x].hour, x);
        EXPECT_DOUBLE_EQ(hours[x].level, BatteryLevel(expected[x])) << x;
    }
    // The ring wraps: readings after the ring position are the oldest.
    EXPECT_EQ(BatteryCurve(Page({230, 220}, 239)).size(), 1u);
}

}  // namespace
}  // namespace kiro
