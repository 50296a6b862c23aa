// kiro simulate and kiro inquiry as a black box.
#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <regex>

#include "KiroCommand.h"
#include "platform/sim/FileModeWatch.h"
#include "platform/sim/StepGenerator.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

using test::Kiro;

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CliSimulateTest, WritesAWatchDiskWithBinaryDayFiles) {
    test::TempFolder folder;
    const std::string disk = folder.File("watch disk");
    const auto result =
        test::RunCommand(Kiro("simulate " + test::ShellQuote(disk) + " --from 2014-04-29 --days 3 --seed 9"));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(FileNames(disk), (std::vector<std::string>{"20140429.KRO", "20140430.KRO", "20140501.KRO",
                                                         "CLOCK.TXT", "USBWATCH.DAT"}));
    const std::vector<uint8_t> expected = sim::BinaryDayFile(sim::GenerateDay(2014, 5, 1, 9));
    EXPECT_EQ(folder.Read("watch disk/20140501.KRO"), std::string(expected.begin(), expected.end()));
    EXPECT_NE(folder.Read("watch disk/CLOCK.TXT").find("Date=20140429\r\nTime=000000\r\n"),
              std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(disk + "/USBWATCH.DAT"), 0u);
}

TEST(CliSimulateTest, TextDayFilesCarryEveryStepAsPeriodLines) {
    test::TempFolder folder;
    const auto result = test::RunCommand(
        Kiro("simulate " + test::ShellQuote(folder.Path()) + " --from 2014-05-10 --days 1 --txt"));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const std::string text = folder.Read("20140510.TXT");
    const std::regex line(R"((\d+):(\d+)~(\d+):(\d+) (\d+)\r\n)");
    long steps = 0;
    size_t covered = 0;
    for (std::sregex_iterator match(text.begin(), text.end(), line), end; match != end; ++match) {
        steps += std::stol((*match)[5]);
        covered += match->length();
    }
    EXPECT_EQ(covered, text.size()) << "every line has the period form";
    const auto day = sim::GenerateDay(2014, 5, 10, 1);
    EXPECT_EQ(steps, std::accumulate(day.minutes.begin(), day.minutes.end(), 0L));
    EXPECT_GT(steps, 10000) << "a Saturday with a hike";
}

TEST(CliSimulateTest, RefusesDaysThatCannotBeWritten) {
    test::TempFolder folder;
    const std::string disk = test::ShellQuote(folder.File("disk"));
    EXPECT_NE(test::RunCommand(Kiro("simulate " + disk + " --from 2014-02-29 --days 1")).exitCode, 0);
    EXPECT_NE(test::RunCommand(Kiro("simulate " + disk + " --from 2014-5-1x --days 1")).exitCode, 0);
    EXPECT_NE(test::RunCommand(Kiro("simulate " + disk + " --from 2011-12-31 --days 2")).exitCode, 0);
    EXPECT_NE(test::RunCommand(Kiro("simulate " + disk + " --from 2014-05-01 --days 0")).exitCode, 0);
    EXPECT_NE(test::RunCommand(Kiro("simulate " + disk + " --from 2014-05-01 --days 1 --kro --txt")).exitCode,
              0);
    EXPECT_FALSE(std::filesystem::exists(folder.File("disk")));
}

TEST(CliInquiryTest, ReportsTheResultCodeWhenThereIsNoWatch) {
    test::TempFolder folder;
    auto result = test::RunCommand(Kiro("inquiry /nonexistent/sdz"));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.output.find("result=-1\n"), std::string::npos) << result.output;

    // A plain file opens but is no SCSI device: the system's error comes back (ENOTTY on Linux;
    // on Windows the code depends on the file system's driver).
    folder.Write("plain", "");
    result = test::RunCommand(Kiro("inquiry " + test::ShellQuote(folder.File("plain"))));
    EXPECT_EQ(result.exitCode, 2);
#if defined(_WIN32)
    EXPECT_TRUE(std::regex_search(result.output, std::regex("(^|\n)result=[1-9][0-9]*\n"))) << result.output;
#else
    EXPECT_NE(result.output.find("result=25\n"), std::string::npos) << result.output;
#endif
}

}  // namespace
}  // namespace kiro
