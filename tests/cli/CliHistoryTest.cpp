// kiro import as a black box: the steps of other trackers stored as a watch's are.
#include <gtest/gtest.h>

#include <filesystem>

#include "KiroCommand.h"
#include "platform/sim/FileModeWatch.h"
#include "platform/sim/RealWorldSteps.h"
#include "support/RunCommand.h"
#include "support/StepFiles.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

const std::string kRealSteps = std::string(KIRO_SOURCE_DIR) + "/data/realworld/minuteStepsWide.csv";

class CliHistoryTest : public ::testing::Test {
  protected:
    test::CommandResult Kiro(const std::string& arguments, const std::string& program = "program") const {
        return test::RunCommand(
            test::Kiro("--folder " + test::ShellQuote(folder.File(program)) + " " + arguments));
    }
    // Writes a file beside the program folders: its path, quoted for the shell.
    std::string File(const std::string& name, const std::string& text) const {
        folder.Write(name, text);
        return test::ShellQuote(folder.File(name));
    }

    test::TempFolder folder;
};

TEST_F(CliHistoryTest, ADryRunChangesNothingAndAnImportStoresTheMinutesOnce) {
    const std::string steps =
        File("steps.csv", test::StepFileText(StepFileFormat::HourRows, test::EdgeMinutes()));
    const auto dry = Kiro("import " + steps + " --dry-run");
    ASSERT_EQ(dry.exitCode, 0) << dry.output;
    EXPECT_NE(dry.output.find("Would import from "), std::string::npos) << dry.output;
    EXPECT_NE(dry.output.find(": 6 days, 9 minutes, 140 steps (0 minutes that hold steps already"),
              std::string::npos)
        << dry.output;
    EXPECT_FALSE(fs::exists(folder.File("program/Data"))) << "a dry run stores nothing";
    EXPECT_FALSE(fs::exists(folder.File("program/ImportJournal.txt")));

    const auto stored = Kiro("import " + steps);
    ASSERT_EQ(stored.exitCode, 0) << stored.output;
    EXPECT_NE(stored.output.find("Imported from "), std::string::npos) << stored.output;
    EXPECT_EQ(Kiro("export 2016-01-01 2017-12-31").output,
              "2016-01-31 23:58,5\n2016-01-31 23:59,7\n2016-02-01 00:00,9\n2016-03-13 01:59,11\n"
              "2016-03-13 03:00,13\n2016-11-06 01:30,22\n2016-11-06 01:45,3\n2016-12-31 23:59,30\n"
              "2017-01-01 00:00,40\n");
    EXPECT_NE(Kiro("settings").output.find("Summary.TotalSteps=140\n"), std::string::npos);

    const auto again = Kiro("import " + steps);
    EXPECT_EQ(again.exitCode, 0) << again.output;
    EXPECT_NE(again.output.find("was imported before: nothing new was stored"), std::string::npos)
        << again.output;
    EXPECT_NE(Kiro("settings").output.find("Summary.TotalSteps=140\n"), std::string::npos);
    // What kiro export writes, kiro import reads: the same minutes, nothing new.
    const std::string exported = File("exported.csv", Kiro("export 2016-01-01 2017-12-31 --csv").output);
    EXPECT_NE(Kiro("import " + exported).output.find(": 0 days, 0 minutes, 0 steps (9 minutes"),
              std::string::npos);
}

TEST_F(CliHistoryTest, AFileOfSeveralPeopleOrWithABadLineStoresNothingAndSaysWhy) {
    const std::string two = File("two.csv", test::StepFileText(StepFileFormat::MinuteRows,
                                                               {{"1503960366", {{2016, 4, 13, 8, 0, 100}}},
                                                                {"4319703577", {{2016, 4, 13, 9, 0, 7}}}}));
    const auto unchosen = Kiro("import " + two);
    EXPECT_EQ(unchosen.exitCode, 1);
    EXPECT_NE(
        unchosen.output.find("holds the steps of several people: 1503960366, 4319703577 (choose one with "
                             "--person ID)"),
        std::string::npos)
        << unchosen.output;
    EXPECT_FALSE(fs::exists(folder.File("program/Data")));
    ASSERT_EQ(Kiro("import " + two + " --person 4319703577").exitCode, 0);
    EXPECT_EQ(Kiro("export 2016-04-13 2016-04-13").output, "2016-04-13 09:00,7\n");

    const auto bad =
        Kiro("import " + File("bad.csv", "time,steps\n2016-05-01 10:00,5\n2016-05-01 10:01,x\n"));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.output.find("Line 3 of "), std::string::npos) << bad.output;
    EXPECT_EQ(Kiro("export 2016-05-01 2016-05-01").output, "");
}

// A real person's month of minutes, imported, reports as the same minutes collected from a watch.
TEST_F(CliHistoryTest, ARealPersonsFileReportsAsTheSameMinutesCollectedFromAWatch) {
    const char* person = sim::kRealWorldParticipants[0];
    const auto imported = Kiro("import " + test::ShellQuote(kRealSteps) + " --person " + person, "imported");
    ASSERT_EQ(imported.exitCode, 0) << imported.output;

    const sim::FileModeWatch watch(folder.File("watch"));
    watch.WriteClockFile(LocalTime{2016, 5, 14, 8, 0, 0, 6});
    for (const sim::RealDay& day : sim::LoadRealWorldSteps(kRealSteps, person))
        ASSERT_TRUE(watch.AddDay(day, sim::DayFileFormat::Binary));
    const auto collected = Kiro("collect " + test::ShellQuote(watch.Folder()), "collected");
    ASSERT_EQ(collected.exitCode, 0) << collected.output;

    for (const char* report : {"report month 2016-04-20", "report month 2016-05-01 --csv",
                               "report day 2016-04-13", "summary", "export 2016-04-01 2016-05-31"}) {
        const auto fromImport = Kiro(report, "imported");
        EXPECT_EQ(fromImport.exitCode, 0) << report;
        EXPECT_GT(fromImport.output.size(), 40u) << report;
        EXPECT_EQ(fromImport.output, Kiro(report, "collected").output) << report;
    }
}

}  // namespace
}  // namespace kiro
