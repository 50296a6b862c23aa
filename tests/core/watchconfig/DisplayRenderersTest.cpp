// The frames the display items end on, and frames as hexadecimal text.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/watchconfig/DisplayFont.h"
#include "core/watchconfig/DisplaySim.h"

namespace kiro {
namespace {

TEST(DisplayFrameHexTest, VisibleLinesRoundTrip) {
    const auto frame = ParseFrameHex("00ff7f0102030405060708090a");
    ASSERT_TRUE(frame);
    EXPECT_EQ(FrameHex(*frame), "00FF7F0102030405060708090A");
    for (int line = kDisplayLines; line < kFrameLines; ++line) EXPECT_EQ((*frame)[line], 0);

    DisplayFrame withRunOff{};
    withRunOff[0] = 0x12;
    withRunOff[kDisplayLines] = 0x34;
    EXPECT_EQ(FrameHex(withRunOff), "12000000000000000000000000") << "the run-off lines are not shown";
}

TEST(DisplayFrameHexTest, OnlyExactlyTwentySixDigitsAreAFrame) {
    for (const char* bad :
         {"", "0000000000000000000000000", "000000000000000000000000000", "0000000000000000000000000G",
          " 0000000000000000000000000", "+1000000000000000000000000"})
        EXPECT_FALSE(ParseFrameHex(bad)) << bad;
}

TEST(DisplayRenderersTest, TimeShowsHourAndMinuteAroundTheColon) {
    EXPECT_EQ(FrameHex(RenderTime(9, 41)), "77555751770014005252721212");
    EXPECT_EQ(FrameHex(RenderTime(0, 0)).substr(12, 2), "14");
    EXPECT_EQ(RenderTime(-3, 123), RenderTime(0, 99))
        << "values beyond two digits show the nearest that fits";
}

TEST(DisplayRenderersTest, DateShowsMonthAboveDay) {
    EXPECT_EQ(FrameHex(RenderDate(12, 31)), "00272127242700721272127200");
}

TEST(DisplayRenderersTest, SizesScaleToTwoDigitsAndAUnit) {
    const std::pair<uint64_t, const char*> cases[] = {
        {50, "774575157700000000090A0C0A"},          // 50 K
        {99, "775577117700000000090A0C0A"},          // 99 K
        {100, "775555557708000000111B1515"},         // 0.0 M
        {5000, "575577111708000000111B1515"},        // 4.9 M
        {10239, "775577117708000000111B1515"},       // 9.9 M, not a third digit
        {10240, "272525252700000000111B1515"},       // 10 M
        {102399, "775577117700000000111B1515"},      // 99 M
        {102400, "77555555770800000007080B09"},      // 0.0 G
        {8192000, "77151715170800000007080B09"},     // 7.8 G: what an unknown disk shows
        {10485760, "27252525270000000007080B09"},    // 10 G
        {1073741824, "27252525270800000007020202"},  // 1.0 T
        {UINT64_MAX, "77557711770000000007020202"},  // 99 T, the largest that fits
    };
    for (const auto& [kilobytes, hex] : cases) EXPECT_EQ(FrameHex(RenderSize(kilobytes)), hex) << kilobytes;
}

TEST(DisplayRenderersTest, BatteryFillsABarPerThresholdReached) {
    const std::pair<int, const char*> cases[] = {
        {188, "003E227F414141414141417F00"},  // below every threshold: an empty battery
        {189, "003E227F4141414141417F7F00"}, {kSimulatedBatteryReading, "003E227F4141417F7F7F7F7F00"},
        {234, "003E227F7F7F7F7F7F7F7F7F00"}, {255, "003E227F7F7F7F7F7F7F7F7F00"},
    };
    for (const auto& [reading, hex] : cases) EXPECT_EQ(FrameHex(RenderBattery(reading)), hex) << reading;
}

TEST(DisplayRenderersTest, StepsShowFourDigitsUnderABarOfTenThousands) {
    EXPECT_EQ(FrameHex(RenderSteps(kSimulatedStepCount)), "00002721272427007515771171");
    const std::pair<int, const char*> bars[] = {{0, "00"},     {10000, "01"}, {45678, "0F"},
                                                {70000, "7F"}, {89999, "7F"}, {99999, "7F"}};
    for (const auto& [count, bar] : bars) EXPECT_EQ(FrameHex(RenderSteps(count)).substr(0, 2), bar) << count;
    EXPECT_EQ(FrameHex(RenderSteps(45678)), "0F007744771577007715171517");
}

TEST(DisplayRenderersTest, StepIconIsTheWalkingFigure) {
    EXPECT_EQ(FrameHex(StepIcon()), "183C3C1800193E78581E316140");
}

TEST(DisplayRenderersTest, APictureShowsItsLinesUpToTheEndMarkAndAtMostThirteen) {
    std::array<uint8_t, 40> picture;
    picture.fill(0xFF);
    picture[0] = 0x41;
    picture[1] = 0x00;
    EXPECT_EQ(FrameHex(RenderPicture(picture)), "41000000000000000000000000");
    for (int i = 0; i < 15; ++i) picture[i] = static_cast<uint8_t>(0x10 + i);
    EXPECT_EQ(RenderPicture(picture), ParseFrameHex("101112131415161718191A1B1C"));
}

TEST(DisplayRenderersTest, BlinkingLinesAreDarkInTheFirstHalfOfEachSecond) {
    const DisplayFrame time = RenderTime(12, 34);
    const uint16_t colon = 1 << 6;
    EXPECT_EQ(VisibleFrame(time, colon, 3000)[6], 0);
    EXPECT_EQ(VisibleFrame(time, colon, 3499)[6], 0);
    EXPECT_EQ(VisibleFrame(time, colon, 3500)[6], 0x14);
    EXPECT_EQ(VisibleFrame(time, colon, 3000)[0], time[0]) << "only the blinking line goes dark";
    EXPECT_EQ(VisibleFrame(time, 0, 3000), time);
}

}  // namespace
}  // namespace kiro
