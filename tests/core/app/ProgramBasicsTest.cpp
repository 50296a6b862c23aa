// The program folder rule, the shared generator and calendar arithmetic.
#include <gtest/gtest.h>

#include "core/base/CalendarMath.h"
#include "core/base/ProgramFolder.h"
#include "core/base/Random.h"

namespace kiro {
namespace {

TEST(ProgramFolderTest, OneTrailingSeparatorIsRemovedExceptAtTheRoot) {
    EXPECT_EQ(DeriveProgramFolder("/home/ann/kiro/"), "/home/ann/kiro");
    EXPECT_EQ(DeriveProgramFolder("/home/ann/kiro"), "/home/ann/kiro");
    EXPECT_EQ(DeriveProgramFolder("/"), "/");
    const ProgramPaths root(DeriveProgramFolder("/"));
    EXPECT_EQ(root.SettingsFile(), "//KiroMeter2.INI")
        << "the root keeps its separator and the format adds one";
    const ProgramPaths paths("/p");
    EXPECT_EQ(paths.MonthFile(2014, 5), "/p/Data/Kiro201405.BIN");
    EXPECT_EQ(paths.BackupFolder(), "/p/KiroMeter2");
    EXPECT_EQ(paths.UpdaterFile(), "/p/tmp/KiroMeterUpdater.BIN");
}

#if defined(_WIN32)
TEST(ProgramFolderTest, ADriveRootKeepsItsSeparatorOnWindows) {
    EXPECT_EQ(DeriveProgramFolder("C:\\Users\\ann\\kiro\\"), "C:\\Users\\ann\\kiro");
    EXPECT_EQ(DeriveProgramFolder("C:/kiro/"), "C:/kiro");
    // "C:" alone would be the drive's current folder, not its root.
    EXPECT_EQ(DeriveProgramFolder("C:\\"), "C:\\");
    EXPECT_EQ(DeriveProgramFolder("C:/"), "C:/");
    EXPECT_EQ(ProgramPaths(DeriveProgramFolder("C:\\")).SettingsFile(), "C:\\/KiroMeter2.INI");
    EXPECT_EQ(DeriveProgramFolder("\\\\server\\share\\kiro\\"), "\\\\server\\share\\kiro");
    EXPECT_EQ(DeriveProgramFolder("\\\\server\\share\\"), "\\\\server\\share\\") << "a share's root";
}
#endif

TEST(RandomTest, FollowsTheClassicCLibrarySequence) {
    Random random;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expected) EXPECT_EQ(random.Next(), value);
}

TEST(CalendarMathTest, DaysInMonthAndLeapYears) {
    EXPECT_EQ(DaysInMonth(2016, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2014, 4), 30);
    EXPECT_EQ(WeekdayOf(2014, 5, 5), 1);
    EXPECT_EQ(WeekdayOf(2026, 12, 6), 0);
}

TEST(CalendarMathTest, SecondsRoundTripAcrossMonthAndYearEnds) {
    const LocalTime eve{2014, 12, 31, 23, 59, 30, 3};
    const LocalTime next = AddSeconds(eve, 45);
    EXPECT_EQ(next.year, 2015);
    EXPECT_EQ(next.month, 1);
    EXPECT_EQ(next.day, 1);
    EXPECT_EQ(next.second, 15);
    EXPECT_EQ(next.weekday, 4);
    const LocalTime back = AddDays(LocalTime{2016, 3, 1, 0, 0, 0, 2}, -1);
    EXPECT_EQ(back.month, 2);
    EXPECT_EQ(back.day, 29);
}

}  // namespace
}  // namespace kiro
