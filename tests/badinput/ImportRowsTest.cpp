// Steps files of a year of minutes given to kiro import: read in bounded memory and in time,
// stored whole, or, with one bad line at their very end, not at all.
#include <gtest/gtest.h>

#include <filesystem>

#include "CommandRow.h"
#include "Sandbox.h"
#include "support/StepFiles.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::Expected;
using test::Sandbox;

// The memory of a run past what a run over a file of one line takes: what reading the file
// cost.
TEST(ImportRows, AYearOfMinutesIsStoredInMemoryFarSmallerThanTheFile) {
    Sandbox box;
    const std::string year = test::YearOfMinutesText(StepFileFormat::MinuteRows, 2023);
    box.Write("watch/year.csv", year);
    box.Write("watch/one.csv", "time,steps\n2023-01-01 00:00,1\n");
    box.Seal();
    const test::BoundedResult one =
        test::RunRow(box, "one line", {"--folder", "{prog}", "import", "{watch}/one.csv"},
                     Expected{0, "", "Imported from", 5000ms});
    const test::BoundedResult all =
        test::RunRow(box, "a year", {"--folder", "{prog}", "import", "{watch}/year.csv"},
                     Expected{0, "", "Imported from", 60000ms});
    EXPECT_NE(all.out.find("365 days, 525599 minutes"), std::string::npos)
        << all.out << " (the first minute of the year was stored by the first run)";
    ASSERT_GT(year.size(), 15'000'000u);
    EXPECT_LT((all.peakKilobytes - one.peakKilobytes) * 1024, static_cast<long>(year.size() / 4))
        << "one line: " << one.peakKilobytes << " KB, a year of " << year.size()
        << " bytes: " << all.peakKilobytes << " KB";
    EXPECT_TRUE(fs::exists(box.Prog("Data/Kiro202312.BIN")));
}

TEST(ImportRows, OneBadLineAtTheEndOfAYearStoresNothingOfIt) {
    Sandbox box;
    box.Write("watch/year.csv",
              test::YearOfMinutesText(StepFileFormat::TimeAndSteps, 2023) + "2023-12-31 24:00,5\n");
    box.Seal();
    test::RunRow(box, "a bad last line", {"--folder", "{prog}", "import", "{watch}/year.csv"},
                 Expected{1, "Line 525602 of", "", 30000ms});
    EXPECT_FALSE(fs::exists(box.Prog("Data/Kiro202301.BIN")));
    EXPECT_FALSE(fs::exists(box.Prog("ImportJournal.txt")));
}

}  // namespace
}  // namespace kiro
