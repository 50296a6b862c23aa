#include "core/watchdisk/DayDataDecoders.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

struct TextLineCase {
    const char* name;
    const char* content;
    int firstSlot;            // minute of day 5 checked first
    std::vector<int> counts;  // counts from that minute on
    int64_t steps;
    int64_t period;
};

TEST(TextDayFileTest, LineRules) {
    const TextLineCase cases[] = {
        {"spread with the remainder first", "10:00~10:02 10\r\n", 600, {4, 3, 3, 0}, 10, 3},
        {"one minute", "10:00~10:00 5\n", 600, {5, 0}, 5, 1},
        {"zero steps change nothing", "10:00~10:01 0\n", 600, {0, 0}, 0, 0},
        {"hours out of range change nothing", "25:00~25:10 7\n", 600, {0}, 0, 0},
        {"end before start stores and counts nothing", "23:50~00:10 30\n", 1430, {0, 0}, 0, 0},
        {"a last line without line break is not used", "10:00~10:00 5\n11:00~11:00 9", 660, {0}, 5, 1},
        {"missing fields", "10:00~ 5\n", 600, {0}, 0, 0},
        {"blanks where scanf takes them", " 10:00~ 10:01   4\n", 600, {2, 2}, 4, 2},
        {"a count beyond the int range stops at its largest value",
         "10:00~10:00 99999999999\n",
         600,
         {65535, 0},
         2147483647,
         1},
        {"a huge hour is out of range, not wrapped into it", "4294967306:00~10:00 5\n", 600, {0}, 0, 0},
    };
    for (const TextLineCase& c : cases) {
        MonthBuffer month;
        const StepTally tally = AddTextDayFile(c.content, 5, month, 5);
        for (size_t i = 0; i < c.counts.size(); ++i)
            EXPECT_EQ(month.minutes[4 * kMinutesPerDay + c.firstSlot + static_cast<int>(i)], c.counts[i])
                << c.name;
        EXPECT_EQ(tally.steps, c.steps) << c.name;
        EXPECT_EQ(tally.period, c.period) << c.name;
        EXPECT_EQ(tally.missionSteps, c.steps) << c.name;
    }
}

TEST(TextDayFileTest, SlotsSaturateWhateverIsAdded) {
    MonthBuffer month;
    AddTextDayFile("10:00~10:00 2147483647\n10:00~10:00 2147483647\n", 5, month, 5);
    EXPECT_EQ(month.At(5, 10, 0), 65535);
    AddToSlot(month, 5, 10, 1, 65000);
    AddToSlot(month, 5, 10, 1, int64_t{1} << 40);
    EXPECT_EQ(month.At(5, 10, 1), 65535);
}

TEST(TextDayFileTest, ActiveMinutesCountOnlyAboveTheThreshold) {
    MonthBuffer month;
    const StepTally tally = AddTextDayFile("08:00~08:09 60\n09:00~09:01 10\n", 1, month, 5);
    EXPECT_EQ(tally.activeMinutes, 10) << "6 steps a minute are active, 5 are not";
}

std::string KroFile(int hour, int minute, int count) {
    std::string bytes(kKroFileBytes, '\0');
    const int at = (hour / 4) * 512 + (hour % 4) * 120 + minute * 2;
    bytes[at] = static_cast<char>(count >> 8);
    bytes[at + 1] = static_cast<char>(count & 0xFF);
    return bytes;
}

TEST(BinaryDayFileTest, BigEndianCountsAtTheirHourBlocks) {
    MonthBuffer month;
    StepTally tally;
    ASSERT_TRUE(AddBinaryDayFile(KroFile(7, 59, 0x0102), 3, month, 5, tally));
    ASSERT_TRUE(AddBinaryDayFile(KroFile(23, 0, 9), 3, month, 5, tally));
    EXPECT_EQ(month.At(3, 7, 59), 0x0102);
    EXPECT_EQ(month.At(3, 23, 0), 9);
    EXPECT_EQ(tally.steps, 0x0102 + 9);
    EXPECT_EQ(tally.period, 2);
    EXPECT_FALSE(AddBinaryDayFile(std::string(3000, '\0'), 3, month, 5, tally)) << "a short file fails";
}

class DeviceRecordTest : public ::testing::Test {
  protected:
    MonthBatch batch;
    StepTally tally;
};

TEST_F(DeviceRecordTest, PageRecordSplitsEachCountOverTwoMinutes) {
    uint8_t record[64] = {0x0E, 0x05, 0x05, 0x0A, 0x00, 0x07};
    EXPECT_EQ(AddPageRecord(record, batch, 5, tally), RecordOutcome::Added);
    const MonthBuffer& may = batch.Month(2014, 5);
    EXPECT_EQ(may.At(5, 10, 0), 3);
    EXPECT_EQ(may.At(5, 10, 1), 4);
    EXPECT_EQ(tally.steps, 7);
    EXPECT_EQ(tally.period, 2);
    EXPECT_EQ(tally.missionSteps, 0) << "a half of 3 is not above the threshold 5";
    record[5] = 20;
    AddPageRecord(record, batch, 5, tally);
    EXPECT_EQ(tally.missionSteps, 20);
}

TEST_F(DeviceRecordTest, EndOfDataAndRecordsOutsideTheCalendar) {
    const uint8_t ends[][4] = {{0, 5, 5, 10}, {14, 0, 5, 10}, {14, 5, 0, 10}, {14, 5, 5, 24}};
    for (const auto& head : ends) {
        uint8_t record[64] = {head[0], head[1], head[2], head[3]};
        EXPECT_EQ(AddPageRecord(record, batch, 5, tally), RecordOutcome::EndOfData);
    }
    uint8_t badDay[64] = {14, 5, 32, 10, 0, 9};
    uint8_t badMonth[512] = {14, 13, 5, 10, 9};
    EXPECT_EQ(AddPageRecord(badDay, batch, 5, tally), RecordOutcome::Skipped);
    EXPECT_EQ(AddDataBlock(badMonth, batch, 5, tally), RecordOutcome::Skipped);
    EXPECT_EQ(tally.steps, 0);
    EXPECT_TRUE(batch.Empty());
}

TEST_F(DeviceRecordTest, DataBlockCoversTwelveHoursInFiveMinuteCounts) {
    uint8_t block[kDeviceBlockBytes] = {0x0E, 0x05, 0x05, 0x0C, 7, 0};
    block[4 + 2 * 143] = 50;  // k = 143: 23:55..23:59
    EXPECT_EQ(AddDataBlock(block, batch, 5, tally), RecordOutcome::Added);
    const MonthBuffer& may = batch.Month(2014, 5);
    const int expected[] = {1, 1, 1, 1, 3};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(may.At(5, 12, i), expected[i]);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(may.At(5, 23, 55 + i), 10);
    EXPECT_EQ(tally.period, 10);
    EXPECT_EQ(tally.missionSteps, 50) << "only the count whose share passes the threshold";
    EXPECT_FALSE(IsLastDataBlock(block));
    block[292] = 0x0F;
    EXPECT_TRUE(IsLastDataBlock(block));
}

// A record handed over again, its counts grown: each minute ends as one read of the grown counts
// would leave it, and the tally counts only the growth.
TEST_F(DeviceRecordTest, ARecordSentAgainAddsWhatItsMinutesGrewBy) {
    DeviceRecord block{{RecordPlace::Kind::Block, 2014, 5, 5, 12}, std::vector<uint16_t>(kBlockCounts)};
    block.counts[0] = 5;  // 1, 1, 1, 1, 1 where 4 gave 0, 0, 0, 0, 4
    block.counts[1] = 9;  // smaller than stored: nothing
    std::vector<uint16_t> stored(kBlockCounts);
    stored[0] = 4;
    stored[1] = 12;
    EXPECT_EQ(AddDeviceRecord(block, &stored, batch, 0, tally), RecordOutcome::Added);
    const MonthBuffer& may = batch.Month(2014, 5);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(may.At(5, 12, i), 1) << i;
    const MonthBatch::Removals* removals = batch.RemovalsOf({2014, 5});
    ASSERT_TRUE(removals);
    EXPECT_EQ(*removals, (MonthBatch::Removals{{MonthBuffer::SlotIndex(5, 12, 4), 3u}}));
    for (int i = 5; i < 10; ++i) EXPECT_EQ(may.At(5, 12, i), 0) << i;
    EXPECT_EQ(tally.steps, 1);
    EXPECT_EQ(tally.period, 0) << "the five minutes were counted when the count first came";
    EXPECT_EQ(tally.activeMinutes, 4) << "four minutes went from none to above the threshold of 0";

    DeviceRecord page{{RecordPlace::Kind::Page, 2014, 5, 5, 10}, std::vector<uint16_t>(kPageRecordCounts)};
    page.counts[0] = 4;  // 2, 2 where 1 gave 0, 1
    std::vector<uint16_t> storedPage(kPageRecordCounts);
    storedPage[0] = 1;
    StepTally grown;
    AddDeviceRecord(page, &storedPage, batch, 5, grown);
    EXPECT_EQ(may.At(5, 10, 0), 2);
    EXPECT_EQ(may.At(5, 10, 1), 1);
    EXPECT_EQ(grown.steps, 3);
    EXPECT_EQ(grown.period, 1) << "one minute more holds steps";
}

TEST_F(DeviceRecordTest, DataBlockHoursPastTheLastDayAreSkipped) {
    uint8_t block[kDeviceBlockBytes] = {0x0E, 0x05, 31, 18};
    for (int k = 0; k < 144; ++k) block[4 + 2 * k] = 5;
    AddDataBlock(block, batch, 5, tally);
    EXPECT_EQ(batch.Month(2014, 5).At(31, 23, 59), 1);
    EXPECT_EQ(tally.steps, 6 * 12 * 5) << "only 18:00..23:59 of day 31 are stored and counted";
}

}  // namespace
}  // namespace kiro
