#include "core/watchdisk/MonthStore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace kiro {
namespace {

class MonthStoreTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    ProgramPaths paths{folder.Path()};
    MonthStore store{paths};

    std::string MonthBytes() const { return folder.Read("Data/Kiro201405.BIN"); }
};

TEST_F(MonthStoreTest, AMinuteLivesAtItsSlotInLittleEndian) {
    EXPECT_EQ(MonthBuffer::SlotIndex(5, 10, 7), 6367);
    MonthBuffer buffer;
    AddToSlot(buffer, 5, 10, 7, 0x1234);
    AddToSlot(buffer, 31, 23, 59, 0xABCD);
    ASSERT_TRUE(store.SaveMonth(2014, 5, buffer));
    const std::string bytes = MonthBytes();
    ASSERT_EQ(bytes.size(), 89280u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[12734]), 0x34);
    EXPECT_EQ(static_cast<unsigned char>(bytes[12735]), 0x12);
    EXPECT_EQ(static_cast<unsigned char>(bytes[89278]), 0xCD) << "the last slot is the last two bytes";
    EXPECT_EQ(static_cast<unsigned char>(bytes[89279]), 0xAB);
    EXPECT_EQ(store.LoadMonth(2014, 5).buffer.At(5, 10, 7), 0x1234);
}

TEST_F(MonthStoreTest, MissingShortAndLongFiles) {
    const LoadedMonth missing = store.LoadMonth(2014, 6);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.buffer.minutes[0], 0);

    folder.Write("Data/Kiro201405.BIN", std::string("\x05\x00\x07", 3));
    LoadedMonth shortFile = store.LoadMonth(2014, 5);
    EXPECT_TRUE(shortFile.found);
    EXPECT_EQ(shortFile.buffer.minutes[0], 5);
    EXPECT_EQ(shortFile.buffer.minutes[1], 7) << "a half slot reads with a zero high byte";
    EXPECT_EQ(shortFile.buffer.minutes[2], 0);

    folder.Write("Data/Kiro201405.BIN", std::string(89280 + 100, '\x01'));
    LoadedMonth longFile = store.LoadMonth(2014, 5);
    EXPECT_EQ(longFile.buffer.minutes[kSlotsPerMonth - 1], 0x0101);
    ASSERT_TRUE(store.SaveMonth(2014, 5, longFile.buffer));
    EXPECT_EQ(MonthBytes().size(), 89280u) << "the next save writes it back at its proper size";
}

TEST_F(MonthStoreTest, AddingTwiceDoublesAndSaturatesInsteadOfWrapping) {
    MonthBuffer buffer;
    AddToSlot(buffer, 1, 0, 0, 40);
    AddToSlot(buffer, 1, 0, 0, 40);
    EXPECT_EQ(buffer.At(1, 0, 0), 80);
    AddToSlot(buffer, 1, 0, 1, 65000);
    AddToSlot(buffer, 1, 0, 1, 1000);
    EXPECT_EQ(buffer.At(1, 0, 1), 65535);
}

TEST_F(MonthStoreTest, ClearRangeZeroesExactlyTheMinutesAsked) {
    MonthBuffer buffer;
    for (int m = 0; m < 60; ++m) AddToSlot(buffer, 3, 10, m, 9);
    ASSERT_TRUE(store.SaveMonth(2014, 5, buffer));
    ASSERT_TRUE(store.ClearRange(2014, 5, 3, 10, 0, 10, 0));
    MonthBuffer after = store.LoadMonth(2014, 5).buffer;
    EXPECT_EQ(after.At(3, 10, 0), 0);
    EXPECT_EQ(after.At(3, 10, 1), 9);
    ASSERT_TRUE(store.ClearRange(2014, 5, 3, 0, 0, 23, 59));
    after = store.LoadMonth(2014, 5).buffer;
    for (int m = 0; m < 60; ++m) EXPECT_EQ(after.At(3, 10, m), 0);
    EXPECT_TRUE(store.ClearRange(2014, 7, 1, 0, 0, 0, 5));
    EXPECT_FALSE(store.LoadMonth(2014, 7).found) << "clearing a month without a file creates none";
}

TEST_F(MonthStoreTest, DeleteAllRemovesOnlyMonthFiles) {
    MonthBuffer buffer;
    ASSERT_TRUE(store.SaveMonth(2014, 5, buffer));
    ASSERT_TRUE(store.SaveMonth(2015, 1, buffer));
    folder.Write("Data/notes.txt", "keep");
    std::filesystem::create_directories(folder.File("Data/KiroSub.BIN"));
    store.DeleteAll();
    EXPECT_FALSE(store.LoadMonth(2014, 5).found);
    EXPECT_FALSE(store.LoadMonth(2015, 1).found);
    EXPECT_EQ(folder.Read("Data/notes.txt"), "keep");
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("Data/KiroSub.BIN")));
}

TEST_F(MonthStoreTest, AFailedSaveKeepsThePreviousMonth) {
    MonthBuffer first;
    AddToSlot(first, 1, 0, 0, 11);
    ASSERT_TRUE(store.SaveMonth(2014, 5, first));
    // A folder in the way of the temporary file makes the write fail.
    std::filesystem::create_directories(folder.File("Data/Kiro201405.BIN.tmp"));
    MonthBuffer second;
    AddToSlot(second, 1, 0, 0, 99);
    EXPECT_FALSE(store.SaveMonth(2014, 5, second));
    EXPECT_EQ(store.LoadMonth(2014, 5).buffer.At(1, 0, 0), 11);
}

}  // namespace
}  // namespace kiro
