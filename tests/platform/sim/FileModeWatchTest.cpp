#include "platform/sim/FileModeWatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/sim/FakeFileAttributes.h"
#include "support/TempFolder.h"

namespace kiro::sim {
namespace {

DaySteps SampleDay() {
    DaySteps day{2014, 5, 5, {}};
    day.minutes[10 * 60 + 0] = 4;
    day.minutes[10 * 60 + 1] = 3;
    day.minutes[10 * 60 + 2] = 3;
    day.minutes[10 * 60 + 59] = 5;
    day.minutes[11 * 60 + 0] = 2;
    day.minutes[13 * 60 + 5] = 0x0102;
    return day;
}

TEST(FileModeWatchTest, TextDayFileHasOneLinePerRunCutAtTheHour) {
    EXPECT_EQ(TextDayFile(SampleDay()), "10:0~10:2 10\r\n10:59~10:59 5\r\n11:0~11:0 2\r\n13:5~13:5 258\r\n");
    EXPECT_EQ(TextDayFile(DaySteps{}), "");
}

TEST(FileModeWatchTest, BinaryDayFilePutsEachHourAtItsPlaceBigEndian) {
    const std::vector<uint8_t> bytes = BinaryDayFile(SampleDay());
    ASSERT_EQ(bytes.size(), 3072u);
    const size_t hour13 = 3 * 512 + 1 * 120;
    EXPECT_EQ(bytes[hour13 + 10], 0x01);
    EXPECT_EQ(bytes[hour13 + 11], 0x02);
    const size_t hour10 = 2 * 512 + 2 * 120;
    EXPECT_EQ(bytes[hour10 + 1], 4);
    EXPECT_EQ(bytes[hour10 + 118 + 1], 5);
    EXPECT_EQ(bytes[3 * 512 - 1], 0) << "the 32 bytes after each four hours stay unused";
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 3072 - 7);
}

TEST(FileModeWatchTest, DiskHoldsDayFilesClockFileAndHiddenMarker) {
    test::TempFolder folder;
    FileModeWatch watch(folder.File("disk"));
    FakeFileAttributes attributes;
    ASSERT_TRUE(watch.AddDay(SampleDay(), DayFileFormat::Text));
    ASSERT_TRUE(watch.AddDay(SampleDay(), DayFileFormat::Binary));
    ASSERT_TRUE(watch.WriteClockFile({2014, 5, 5, 7, 8, 9, 1}));
    ASSERT_TRUE(watch.WriteMarker(attributes));

    EXPECT_EQ(folder.Read("disk/20140505.TXT"), TextDayFile(SampleDay()));
    EXPECT_EQ(std::filesystem::file_size(folder.File("disk/20140505.KRO")), 3072u);
    EXPECT_EQ(
        folder.Read("disk/CLOCK.TXT"),
        "UStr=\r\nUPic=\r\nDisp=GAGJKEJAA\r\nSped=4\r\nTAdj=0\r\nDate=20140505\r\nTime=070809\r\nHMod=0\r\n");
    EXPECT_EQ(std::filesystem::file_size(folder.File("disk/USBWATCH.DAT")), 0u);
    EXPECT_TRUE(attributes.IsHidden(folder.File("disk/USBWATCH.DAT")));
}

}  // namespace
}  // namespace kiro::sim
