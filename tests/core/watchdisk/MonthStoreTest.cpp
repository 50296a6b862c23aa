#include "core/store/MonthStore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/ErrorCodes.h"
#include "support/FolderWriterWorld.h"

namespace kiro {
namespace {

class MonthStoreTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    NativeFileSystem realFiles;
    test::FaultyFileSystem files{realFiles};
    sim::FakeClock clock;
    ProgramPaths paths{folder.Path()};
    ProgramFolderWriter writer{files, clock, paths};
    MonthStore store{writer};

    std::string MonthBytes() const { return folder.Read("Data/Kiro201405.BIN"); }
    MonthBuffer OneCount(int day, int count) const {
        MonthBuffer buffer;
        AddToSlot(buffer, day, 0, 0, count);
        return buffer;
    }
};

TEST_F(MonthStoreTest, AMinuteLivesAtItsSlotInLittleEndian) {
    EXPECT_EQ(MonthBuffer::SlotIndex(5, 10, 7), 6367);
    MonthBuffer buffer;
    AddToSlot(buffer, 5, 10, 7, 0x1234);
    AddToSlot(buffer, 31, 23, 59, 0xABCD);
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 5, buffer)));
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
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 5, longFile.buffer)));
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

TEST_F(MonthStoreTest, StepsTakenAwayNeverGoBelowZero) {
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 5, OneCount(1, 10))));
    const std::map<int, uint32_t> removals{{0, 4}, {1, 70000}};
    MonthBuffer additions;
    AddToSlotIndex(additions, 1, 2);
    ASSERT_TRUE(test::Ok(writer.Change([&](FolderTransaction& transaction) {
        store.StageAddition(transaction, 2014, 5, additions, &removals);
    })));
    const MonthBuffer now = store.LoadMonth(2014, 5).buffer;
    EXPECT_EQ(now.minutes[0], 6);
    EXPECT_EQ(now.minutes[1], 0);
}

TEST_F(MonthStoreTest, ClearRangeZeroesExactlyTheMinutesAsked) {
    MonthBuffer buffer;
    for (int m = 0; m < 60; ++m) AddToSlot(buffer, 3, 10, m, 9);
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 5, buffer)));
    ASSERT_TRUE(test::Ok(store.ClearRange(2014, 5, 3, 10, 0, 10, 0)));
    MonthBuffer after = store.LoadMonth(2014, 5).buffer;
    EXPECT_EQ(after.At(3, 10, 0), 0);
    EXPECT_EQ(after.At(3, 10, 1), 9);
    ASSERT_TRUE(test::Ok(store.ClearRange(2014, 5, 3, 0, 0, 23, 59)));
    after = store.LoadMonth(2014, 5).buffer;
    for (int m = 0; m < 60; ++m) EXPECT_EQ(after.At(3, 10, m), 0);
    EXPECT_TRUE(test::Ok(store.ClearRange(2014, 7, 1, 0, 0, 0, 5)));
    EXPECT_FALSE(store.LoadMonth(2014, 7).found) << "clearing a month without a file creates none";
}

TEST_F(MonthStoreTest, DeleteAllRemovesOnlyMonthFiles) {
    MonthBuffer buffer;
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 5, buffer)));
    ASSERT_TRUE(test::Ok(store.SaveMonth(2015, 1, buffer)));
    folder.Write("Data/notes.txt", "keep");
    std::filesystem::create_directories(folder.File("Data/KiroSub.BIN"));
    ASSERT_TRUE(
        test::Ok(writer.Change([&](FolderTransaction& transaction) { store.StageDeleteAll(transaction); })));
    EXPECT_FALSE(store.LoadMonth(2014, 5).found);
    EXPECT_FALSE(store.LoadMonth(2015, 1).found);
    EXPECT_EQ(folder.Read("Data/notes.txt"), "keep");
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("Data/KiroSub.BIN")));
}

TEST_F(MonthStoreTest, AFailedSaveKeepsThePreviousMonth) {
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 5, OneCount(1, 11))));
    files.FailPath("Kiro201405.BIN.", std::make_error_code(std::errc::no_space_on_device));
    EXPECT_EQ(store.SaveMonth(2014, 5, OneCount(1, 99)), std::errc::no_space_on_device);
    EXPECT_EQ(store.LoadMonth(2014, 5).buffer.At(1, 0, 0), 11);
}

TEST_F(MonthStoreTest, MonthsOfOneCommitAreStoredAllOrNoneWhicheverFails) {
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 4, OneCount(1, 1))));
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 5, OneCount(1, 1))));
    ASSERT_TRUE(test::Ok(store.SaveMonth(2014, 6, OneCount(1, 1))));
    // The first, a middle and the last month of the commit failing in turn.
    for (const char* failing : {"Kiro201404", "Kiro201405", "Kiro201406"}) {
        files.FailPath(failing, std::make_error_code(std::errc::no_space_on_device));
        const std::error_code error = writer.Change([&](FolderTransaction& transaction) {
            for (int month = 4; month <= 6; ++month)
                store.StageAddition(transaction, 2014, month, OneCount(1, 5));
        });
        EXPECT_EQ(error, std::errc::no_space_on_device) << failing;
        for (int month = 4; month <= 6; ++month)
            EXPECT_EQ(store.LoadMonth(2014, month).buffer.At(1, 0, 0), 1) << failing << " month " << month;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("Data")))
        EXPECT_EQ(entry.path().extension(), ".BIN") << "nothing staged is left: " << entry.path();
}

TEST_F(MonthStoreTest, AMonthThatCannotBeReadIsAnErrorAndIsNeverReplaced) {
    // A folder where the month file should be stands for any file that exists but cannot be read.
    std::filesystem::create_directories(folder.File("Data/Kiro201405.BIN"));
    const LoadedMonth loaded = store.LoadMonth(2014, 5);
    EXPECT_TRUE(loaded.error);
    EXPECT_FALSE(loaded.found);
    EXPECT_TRUE(writer.Change(
        [&](FolderTransaction& transaction) { store.StageAddition(transaction, 2014, 5, OneCount(1, 5)); }));
    EXPECT_TRUE(store.ClearRange(2014, 5, 1, 0, 0, 1, 0));
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("Data/Kiro201405.BIN")));
}

}  // namespace
}  // namespace kiro
