// The simulated device-mode watch, driven through the real command transport.
#include "platform/sim/DeviceModeWatch.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/base/CalendarMath.h"
#include "core/watch/WatchCommands.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/SimulatedDeviceIo.h"
#include "support/TempFolder.h"

namespace kiro::sim {
namespace {

class DeviceModeWatchTest : public ::testing::Test {
  protected:
    DeviceModeWatch& Plug(DeviceWatchOptions options) {
        watch_ = std::make_unique<DeviceModeWatch>(clock_, options);
        io_.Attach('F', *watch_);
        handle_ = io_.OpenVolume('F');
        return *watch_;
    }
    static DaySteps Day(int day) { return DaySteps{2014, 5, day, {}}; }

    FakeClock clock_{{2014, 5, 7, 9, 0, 0, 3}};
    SimulatedDeviceIo io_;
    std::unique_ptr<DeviceModeWatch> watch_;
    DeviceHandle handle_ = kNoDevice;
};

TEST_F(DeviceModeWatchTest, InquiryNamesModelAndCollectFlag) {
    Plug({'E', true, 0});
    const InquiryData inquiry = Inquiry(io_, 'F');
    ASSERT_TRUE(inquiry.Succeeded());
    EXPECT_EQ(inquiry.data[27], 'X');
    EXPECT_EQ(inquiry.data[28], '5');
    EXPECT_EQ(inquiry.data[29], 'E');
    EXPECT_NE(inquiry.data[35], 0);
    EXPECT_EQ(inquiry.data[36], 0) << "36 bytes were asked for; the rest of the 44 stays zero";

    Plug({'C', false, 0});
    const WatchIdentity identity = IdentifyWatch(Inquiry(io_, 'F'));
    EXPECT_TRUE(identity.isX5);
    EXPECT_EQ(identity.modelLetter, 'C');
    EXPECT_FALSE(identity.collectFlag);
    EXPECT_EQ(identity.product, "KIRO    STEP WATCH X5C  1.0");
}

TEST_F(DeviceModeWatchTest, DataPagesHoldTwoMinuteCountsBigEndian) {
    DeviceModeWatch& watch = Plug({});
    DaySteps day = Day(5);
    day.minutes[10 * 60] = 3;
    day.minutes[10 * 60 + 1] = 4;
    day.minutes[10 * 60 + 59] = 300;
    watch.Record(day);

    // Hours are records in time order from 00:00: 10:00 is record 10, the third of page 10.
    const DataPageRead page = ReadDataPage(io_, handle_, 10);
    ASSERT_TRUE(page.Succeeded());
    const uint8_t* record = page.data.data() + 2 * 64;
    EXPECT_EQ(std::vector<uint8_t>(record, record + 6),
              (std::vector<uint8_t>{0x0E, 0x05, 0x05, 0x0A, 0x00, 0x07}));
    EXPECT_EQ(record[62], 0x01);  // count 29: minutes 58 and 59, 300 = 0x012C
    EXPECT_EQ(record[63], 0x2C);
    EXPECT_EQ(page.data[0 * 64 + 3], 8);  // the page starts at record 8, hour 08:00
}

TEST_F(DeviceModeWatchTest, PageFourteenEndsAfterFourRecordsAndCarriesTheBattery) {
    DeviceModeWatch& watch = Plug({});
    watch.Record(Day(5));
    watch.Record(Day(6));
    std::array<uint8_t, kBatterySamples> samples{};
    samples[0] = 211;
    samples[239] = 229;
    watch.SetBatteryHistory(samples, 17);

    const DataPageRead page = ReadDataPage(io_, handle_, 14);
    // Records 24..27: the first four hours of the second day.
    EXPECT_EQ(page.data[3 * 64 + 2], 6);
    EXPECT_EQ(page.data[3 * 64 + 3], 3);
    EXPECT_EQ(page.data[256], 17);
    EXPECT_EQ(page.data[257], 0) << "record 4 must read as the end of the data (month 0)";
    EXPECT_EQ(page.data[272], 211);
    EXPECT_EQ(page.data[511], 229);
    EXPECT_EQ(ReadDataPage(io_, handle_, 9).result, -2) << "odd pages do not exist";
}

TEST_F(DeviceModeWatchTest, EndTransferForgetsOnlyWhatWasHandedOver) {
    DeviceModeWatch& watch = Plug({});
    watch.Record(Day(5));
    watch.Record(Day(6));
    ReadDataPage(io_, handle_, 8);
    EXPECT_EQ(EndTransfer(io_, handle_), 0);
    EXPECT_EQ(watch.RecordedHours(), 40u);

    for (uint8_t page : {8, 10, 12, 14}) ReadDataPage(io_, handle_, page);
    EndTransfer(io_, handle_);
    EXPECT_EQ(watch.RecordedHours(), 12u);
    // What is left starts where the last collection stopped.
    const DataPageRead next = ReadDataPage(io_, handle_, 8);
    EXPECT_EQ(next.data[2], 6);
    EXPECT_EQ(next.data[3], 12);
}

TEST_F(DeviceModeWatchTest, ModelEHandsOutTwelveHourBlocksAndMarksTheLast) {
    DeviceModeWatch& watch = Plug({'E', true, 0});
    DaySteps day = Day(5);
    for (int m = 0; m < 4; ++m) day.minutes[12 * 60 + m] = 1;
    day.minutes[12 * 60 + 4] = 3;
    day.minutes[23 * 60 + 59] = 0x1234;
    watch.Record(day);

    const DataBlockRead morning = ReadDataBlock(io_, handle_);
    EXPECT_EQ(std::vector<uint8_t>(morning.data.begin(), morning.data.begin() + 4),
              (std::vector<uint8_t>{0x0E, 0x05, 0x05, 0x00}));
    EXPECT_EQ(morning.data[292], 0);
    const DataBlockRead afternoon = ReadDataBlock(io_, handle_);
    EXPECT_EQ(std::vector<uint8_t>(afternoon.data.begin(), afternoon.data.begin() + 6),
              (std::vector<uint8_t>{0x0E, 0x05, 0x05, 0x0C, 0x07, 0x00}));
    EXPECT_EQ(afternoon.data[4 + 2 * 143], 0x34);  // k = 143: 23:55..23:59, little-endian
    EXPECT_EQ(afternoon.data[5 + 2 * 143], 0x12);
    EXPECT_EQ(afternoon.data[292], 0x0F);
    const DataBlockRead after = ReadDataBlock(io_, handle_);
    EXPECT_TRUE(after.Succeeded());
    EXPECT_EQ(after.data, (std::array<uint8_t, 512>{}));

    EXPECT_EQ(ReadDataPage(io_, handle_, 8).data, (std::array<uint8_t, 512>{})) << "X5E has no data pages";
    EXPECT_EQ(ReadDataPage(io_, handle_, 14).data[256], 137) << "but page 14 still has the battery";
    EndTransfer(io_, handle_);
    EXPECT_EQ(watch.RecordedHours(), 0u);
}

TEST_F(DeviceModeWatchTest, ConfigBlockOfANewWatch) {
    Plug({'E', true, 0});
    const ConfigBlockRead read = ReadConfigBlock(io_, handle_);
    ASSERT_TRUE(read.Succeeded());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(read.data.data()), 16), "KiroWatch X5E V1");
    EXPECT_EQ(std::vector<uint8_t>(read.data.begin() + 16, read.data.begin() + 22),
              (std::vector<uint8_t>{14, 5, 7, 9, 0, 0}));
    EXPECT_EQ(read.data[24], 0) << "never set: no last-set time";
    EXPECT_EQ(read.data[26], 0);
    EXPECT_EQ(read.data[30], 0x24);
    EXPECT_EQ(read.data[46], 8);
    EXPECT_EQ(read.data[47], 18);
    EXPECT_EQ(read.data[112], 0xFF);
}

std::array<uint8_t, 256> BlockSettingClock(const LocalTime& time, int8_t rateCorrection) {
    std::array<uint8_t, 256> block{};
    std::memcpy(block.data(), "KiroWatch X5C V1", 16);
    const uint8_t clockBytes[6] = {static_cast<uint8_t>(time.year - 2000), static_cast<uint8_t>(time.month),
                                   static_cast<uint8_t>(time.day),         static_cast<uint8_t>(time.hour),
                                   static_cast<uint8_t>(time.minute),      static_cast<uint8_t>(time.second)};
    std::memcpy(block.data() + 16, clockBytes, 6);
    block[30] = 0x12;
    block[31] = static_cast<uint8_t>(rateCorrection);
    block[48] = 'H';
    return block;
}

int64_t SecondsAhead(const ConfigBlockRead& read, const LocalTime& now) {
    const LocalTime watch{
        2000 + read.data[16], read.data[17], read.data[18], read.data[19], read.data[20], read.data[21], 0};
    return ToSeconds(watch) - ToSeconds(now);
}

TEST_F(DeviceModeWatchTest, ClockDriftsFromTheLastSetAndTheRateCorrectionCountersIt) {
    Plug({'C', true, 20.0});
    const LocalTime setAt = clock_.Now();
    ASSERT_EQ(WriteConfigBlock(io_, handle_, BlockSettingClock(setAt, 0)), 0);
    clock_.SetNow(AddDays(setAt, 3));

    ConfigBlockRead read = ReadConfigBlock(io_, handle_);
    EXPECT_EQ(SecondsAhead(read, clock_.Now()), 60);
    EXPECT_EQ(std::vector<uint8_t>(read.data.begin() + 24, read.data.begin() + 30),
              (std::vector<uint8_t>{14, 5, 7, 9, 0, 0}));
    EXPECT_EQ(read.data[30], 0x12) << "the settings written are kept";
    EXPECT_EQ(read.data[48], 'H');
    EXPECT_EQ(read.data[12], 'C');

    // A correction of -20 s/day, as a clock check would compute it, stops the drift.
    ASSERT_EQ(WriteConfigBlock(io_, handle_, BlockSettingClock(clock_.Now(), -20)), 0);
    clock_.SetNow(AddDays(clock_.Now(), 5));
    EXPECT_EQ(SecondsAhead(ReadConfigBlock(io_, handle_), clock_.Now()), 0);
}

TEST_F(DeviceModeWatchTest, RefusesBlocksWithoutSignatureOrTimeAndUnknownCommands) {
    DeviceModeWatch& watch = Plug({});
    std::array<uint8_t, 256> block = BlockSettingClock({2015, 1, 1, 0, 0, 0, 4}, 0);
    block[0] = 'k';
    EXPECT_EQ(WriteConfigBlock(io_, handle_, block), -2);
    block = BlockSettingClock({2015, 2, 30, 0, 0, 0, 4}, 0);
    EXPECT_EQ(WriteConfigBlock(io_, handle_, block), -2);
    EXPECT_FALSE(watch.LastClockSet().has_value());
    EXPECT_EQ(watch.WatchTime().year, 2014);

    ScsiRequest unknown;
    unknown.commandBlock[0] = 0xFE;
    unknown.commandBlock[1] = 0x07;
    EXPECT_EQ(io_.Send(handle_, unknown), -2);
}

TEST_F(DeviceModeWatchTest, StateSurvivesSaveAndLoad) {
    test::TempFolder folder;
    DeviceModeWatch& watch = Plug({'E', false, -7.5});
    DaySteps day = Day(5);
    day.minutes[123] = 45;
    watch.Record(day);
    WriteConfigBlock(io_, handle_, BlockSettingClock({2014, 5, 7, 8, 59, 0, 3}, 3));
    ASSERT_TRUE(watch.SaveState(folder.File("watch.state")));

    clock_.SetNow(AddDays(clock_.Now(), 2));
    DeviceModeWatch loaded(clock_);
    ASSERT_TRUE(loaded.LoadState(folder.File("watch.state")));
    EXPECT_EQ(loaded.Options().modelLetter, 'E');
    EXPECT_FALSE(loaded.Options().collectFlag);
    EXPECT_EQ(loaded.Options().driftSecondsPerDay, -7.5);
    EXPECT_EQ(loaded.RecordedAt({2014, 5, 5, 2, 3, 0, 1}), 45);
    EXPECT_EQ(loaded.RecordedHours(), 24u);
    EXPECT_EQ(loaded.ConfigBlock(), watch.ConfigBlock());

    // The connection it is in, and what that connection has handed over, stay with it: a
    // watch that stays plugged in between two programs goes on where it was.
    watch.Record(Day(6));
    watch.SetSerial("0042");
    const uint64_t connection = watch.Connection();
    ASSERT_TRUE(ReadDataBlock(io_, handle_).Succeeded());
    ASSERT_TRUE(watch.SaveState(folder.File("watch.state")));
    DeviceModeWatch stayed(clock_);
    ASSERT_TRUE(stayed.LoadState(folder.File("watch.state")));
    EXPECT_EQ(stayed.Connection(), connection);
    EXPECT_EQ(stayed.Serial(), "0042");
    io_.Attach('G', stayed);
    EXPECT_EQ(ReadDataBlock(io_, io_.OpenVolume('G')).data, ReadDataBlock(io_, handle_).data)
        << "the second block comes next";
    EXPECT_EQ(io_.AttachmentOf(io_.OpenVolume('G')).serial, "0042");
    stayed.OnPluggedIn();
    EXPECT_EQ(stayed.Connection(), connection + 1);
    EXPECT_NE(io_.AttachmentOf(io_.OpenVolume('G')).connection, io_.AttachmentOf(handle_).connection);

    folder.Write("bad.state", "KiroMeter simulated X5 watch 1\nhour 2014-05-05 10 1 2 3\n");
    EXPECT_FALSE(loaded.LoadState(folder.File("bad.state")));
    EXPECT_FALSE(loaded.LoadState(folder.File("absent.state")));
    EXPECT_EQ(loaded.RecordedHours(), 24u) << "a failed load changes nothing";
}

}  // namespace
}  // namespace kiro::sim
