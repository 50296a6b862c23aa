#include "core/watch/ConfigBlock.h"

#include <gtest/gtest.h>

#include "core/watch/ClockDifference.h"
#include "platform/sim/FakeClock.h"

namespace kiro {
namespace {

const LocalTime kNow{2014, 5, 5, 10, 20, 30, 1};
// A machine whose local time is UTC all year.
const sim::FakeClock kUtc;

TEST(ConfigBlockTest, BuildPlacesEveryFieldAtItsOffset) {
    WatchSettings s;
    s.hMod = 1;
    s.tAdj = -15;
    s.sped = 6;
    s.ledPower = true;
    s.uStr = "Hello";
    s.uPic.fill(0x00);
    s.uPic[20] = 0x41;
    s.alarmEnabled = true;
    s.alarmEveryDay = 1;
    s.alarmHour = 7;
    s.alarmMinute = 30;
    s.stepRecorder24h = true;
    const ConfigBlock block = BuildConfigBlock(s, 'E', kNow, true);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data()), 16), "KiroWatch X5E V1");
    EXPECT_EQ(block[16], 14);
    EXPECT_EQ(block[21], 30);
    EXPECT_EQ(block[24], 0) << "the last-set time is the watch's to fill";
    EXPECT_EQ(block[30], 0x12);
    EXPECT_EQ(block[31], 0xF1);
    EXPECT_EQ(block[32], 6);
    EXPECT_EQ(block[33], 6);
    EXPECT_EQ(block[45], 0xED);
    EXPECT_EQ(block[46], 8);
    EXPECT_EQ(block[47], 18);
    EXPECT_EQ(block[48], 'H');
    EXPECT_EQ(block[53], 0);
    EXPECT_EQ(block[112], 0x00) << "empty lines before the last dot stay";
    EXPECT_EQ(block[132], 0x41);
    EXPECT_EQ(block[133], 0xFF) << "from the line after the last dot on, end marks";
    EXPECT_EQ(block[151], 0xFF);
    EXPECT_EQ(block[160], 3);
    EXPECT_EQ(block[161], 7);
    EXPECT_EQ(block[162], 30);
    EXPECT_EQ(block[163], 0xFF);
    EXPECT_EQ(BuildConfigBlock(s, 'C', kNow, false)[160], 0) << "only Time Set sends the alarm";
}

TEST(ConfigBlockTest, BlankPictureIsAllEndMarks) {
    WatchSettings s;
    s.uPic.fill(0x00);
    const ConfigBlock block = BuildConfigBlock(s, 'C', kNow, false);
    for (int i = 112; i < 152; ++i) EXPECT_EQ(block[i], 0xFF) << i;
}

TEST(ConfigBlockTest, ParseTakesMoreAtCollectionThanAtClockCheck) {
    WatchSettings source;
    source.uStr = std::string(36, 'm');
    source.ledPower = true;
    source.ledFromHour = 6;
    source.alarmEnabled = true;
    source.alarmHour = 5;
    source.uPic.fill(0x11);
    ConfigBlock block = BuildConfigBlock(source, 'C', kNow, true);
    block[37] = 200;       // an effect the program does not know
    block[48 + 36] = 'Z';  // no terminator after 36 characters

    WatchSettings atCollection;
    ASSERT_TRUE(ParseConfigBlock(block, ConfigReadBack::Collection, atCollection));
    EXPECT_EQ(atCollection.uStr, std::string(36, 'm')) << "the message never runs past 36 characters";
    EXPECT_EQ(atCollection.disp[4], 9);
    EXPECT_TRUE(atCollection.ledPower);
    EXPECT_EQ(atCollection.ledFromHour, 6);
    EXPECT_TRUE(atCollection.alarmEnabled);
    EXPECT_EQ(atCollection.alarmHour, 5);
    EXPECT_EQ(atCollection.uPic[39], 0x11);

    WatchSettings atCheck;
    ASSERT_TRUE(ParseConfigBlock(block, ConfigReadBack::ClockCheck, atCheck));
    EXPECT_FALSE(atCheck.ledPower);
    EXPECT_FALSE(atCheck.alarmEnabled);
    EXPECT_EQ(atCheck.uPic[38], 0x11);
    EXPECT_EQ(atCheck.uPic[39], 0xFF);
}

TEST(ConfigBlockTest, WithoutSignatureTheResetValuesStay) {
    ConfigBlock block{};
    WatchSettings s;
    s.sped = 1;
    s.alarmEnabled = true;
    EXPECT_FALSE(ParseConfigBlock(block, ConfigReadBack::Collection, s));
    EXPECT_EQ(s.sped, 4);
    EXPECT_FALSE(s.alarmEnabled);
}

ConfigBlock WatchBlock(const LocalTime& watchTime, const LocalTime& lastSet, int tAdj) {
    WatchSettings s;
    s.tAdj = tAdj;
    ConfigBlock block = BuildConfigBlock(s, 'C', watchTime, false);
    block[24] = static_cast<uint8_t>(lastSet.year - 2000);
    block[25] = static_cast<uint8_t>(lastSet.month);
    block[26] = static_cast<uint8_t>(lastSet.day);
    block[27] = static_cast<uint8_t>(lastSet.hour);
    block[28] = static_cast<uint8_t>(lastSet.minute);
    block[29] = static_cast<uint8_t>(lastSet.second);
    return block;
}

TEST(ClockDifferenceTest, AWatchSixtySecondsFastOverThreeDays) {
    const LocalTime watch{2014, 5, 5, 10, 21, 30, 1};
    const LocalTime lastSet{2014, 5, 2, 10, 20, 30, 5};
    const ClockDifference d = ComputeClockDifference(WatchBlock(watch, lastSet, 5), kNow, kUtc);
    EXPECT_EQ(d.newTAdj, -15);
    EXPECT_EQ(d.differenceText, "       60 sec /   3 days");
    EXPECT_EQ(d.currentTimeText, "2014-05-05 10:20:30");
    EXPECT_EQ(d.watchTimeText, "2014-05-05 10:21:30");
    EXPECT_EQ(d.lastUpdateText, "2014-05-02 10:20:30");
}

TEST(ClockDifferenceTest, NeverSetOrSetTodayGivesNoRate) {
    const LocalTime watch{2014, 5, 5, 10, 20, 0, 1};
    ConfigBlock never = WatchBlock(watch, kNow, -7);
    never[24] = 0;
    const ClockDifference d = ComputeClockDifference(never, kNow, kUtc);
    EXPECT_EQ(d.lastUpdateText, "");
    EXPECT_EQ(d.differenceText, "      -30 sec");
    EXPECT_EQ(d.newTAdj, -7);
    const LocalTime earlierToday{2014, 5, 5, 1, 0, 0, 1};
    EXPECT_EQ(ComputeClockDifference(WatchBlock(watch, earlierToday, 4), kNow, kUtc).newTAdj, 4);
}

TEST(ClockDifferenceTest, LargeCorrectionsAreLimited) {
    const LocalTime lastSet{2014, 5, 4, 10, 20, 30, 0};
    const LocalTime slow{2014, 5, 5, 10, 18, 10, 1};  // 140 s slow in one day
    EXPECT_EQ(ComputeClockDifference(WatchBlock(slow, lastSet, 0), kNow, kUtc).newTAdj, 99);
    const LocalTime farAhead{2099, 1, 1, 0, 0, 0, 4};  // a clock far off must not overflow
    EXPECT_EQ(ComputeClockDifference(WatchBlock(farAhead, lastSet, 0), kNow, kUtc).newTAdj, -99);
}

// Set on the Friday before clocks went forward, checked on Monday: 3 days on the calendar, but
// 71 hours went by. The rate is over the hours that went by.
TEST(ClockDifferenceTest, ADaylightSavingChangeCountsAsTheHourItIs) {
    sim::FakeClock zone;
    zone.SetDaylightSaving({2014, 3, 30, 2, 0, 0, 0}, {2014, 10, 26, 3, 0, 0, 0});
    const LocalTime lastSet{2014, 3, 28, 12, 0, 0, 5};
    const LocalTime now{2014, 3, 31, 12, 0, 0, 1};
    const LocalTime watch{2014, 3, 31, 12, 1, 29, 1};  // 89 s ahead
    const ClockDifference d = ComputeClockDifference(WatchBlock(watch, lastSet, 0), now, zone);
    EXPECT_EQ(d.newTAdj, -30) << "89 s in 71 hours is 30.08 s a day; over 72 hours it would be 29.67";
    EXPECT_EQ(d.differenceText, "       89 sec /   3 days");
    EXPECT_EQ(ComputeClockDifference(WatchBlock(watch, lastSet, 0), now, kUtc).newTAdj, -29)
        << "where no clocks change";

    // Less than a day went by, though the calendar says a day and half an hour: no rate yet.
    const LocalTime yesterday{2014, 3, 29, 12, 0, 0, 6};
    const LocalTime halfPast{2014, 3, 30, 12, 30, 0, 0};
    const ClockDifference early = ComputeClockDifference(WatchBlock(halfPast, yesterday, 7), halfPast, zone);
    EXPECT_EQ(early.differenceText, "        0 sec");
    EXPECT_EQ(early.newTAdj, 7);
}

}  // namespace
}  // namespace kiro
