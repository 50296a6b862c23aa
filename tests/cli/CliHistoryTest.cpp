// kiro import, kiro report year and kiro plot as a black box: the steps of other trackers in, a
// year's months and the graphs as pictures out.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "KiroCommand.h"
#include "core/base/Format.h"
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
    // The cells of each line of a CSV output.
    static std::vector<std::vector<std::string>> CsvRows(const std::string& output) {
        std::vector<std::vector<std::string>> rows;
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            std::vector<std::string> cells;
            std::istringstream fields(line);
            for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
            if (!line.empty() && line.back() == ',') cells.emplace_back();
            rows.push_back(cells);
        }
        return rows;
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

    for (const char* report :
         {"report month 2016-04-20", "report month 2016-05-01 --csv", "report year 2016 --json",
          "report day 2016-04-13", "summary", "export 2016-04-01 2016-05-31"}) {
        const auto fromImport = Kiro(report, "imported");
        EXPECT_EQ(fromImport.exitCode, 0) << report;
        EXPECT_GT(fromImport.output.size(), 40u) << report;
        EXPECT_EQ(fromImport.output, Kiro(report, "collected").output) << report;
    }
}

// The year's months are the month reports added up, and the year the months.
TEST_F(CliHistoryTest, TheYearReportIsTheSumOfTheMonthReports) {
    ASSERT_EQ(Kiro("import " + test::ShellQuote(kRealSteps) + " --person 6117666160").exitCode, 0);
    const auto year = CsvRows(Kiro("report year 2016 --csv").output);
    ASSERT_EQ(year.size(), 14u) << "the header, twelve months and the year";
    EXPECT_EQ(year[0], (std::vector<std::string>{"Month", "Steps", "Distance(Km)", "Calorie(KCal)",
                                                 "Active days", "Best day", "Best day steps"}));
    int64_t yearSteps = 0;
    double yearKm = 0, yearKcal = 0;
    for (int month = 1; month <= 12; ++month) {
        const std::vector<std::string>& row = year[month];
        const auto days = CsvRows(Kiro(Format("report month 2016-%02d-01 --csv", month)).output);
        int64_t steps = 0, best = 0;
        double km = 0, kcal = 0;
        std::string bestDay;
        for (size_t i = 1; i < days.size(); ++i) {
            const int64_t daySteps = std::stoll(days[i][2]);
            steps += daySteps;
            km += std::stod(days[i][4]);
            kcal += std::stod(days[i][6]);
            if (daySteps > best) {
                best = daySteps;
                bestDay = days[i][1];
            }
        }
        EXPECT_EQ(row[0], Format("2016/%02d", month));
        EXPECT_EQ(std::stoll(row[1]), steps) << month;
        EXPECT_NEAR(std::stod(row[2]), km, 0.0005 * days.size()) << month;
        EXPECT_NEAR(std::stod(row[3]), kcal, 0.0005 * days.size()) << month;
        EXPECT_EQ(std::stoi(row[4]), static_cast<int>(days.size()) - 1) << month;
        EXPECT_EQ(row[5], bestDay) << month;
        EXPECT_EQ(row[6], best > 0 ? std::to_string(best) : "") << month;
        yearSteps += steps;
        yearKm += std::stod(row[2]);
        yearKcal += std::stod(row[3]);
    }
    EXPECT_GT(std::stoll(year[4][1]), 0) << "April holds steps";
    EXPECT_EQ(year[13][0], "Total");
    EXPECT_EQ(std::stoll(year[13][1]), yearSteps);
    EXPECT_NEAR(std::stod(year[13][2]), yearKm, 0.006);
    EXPECT_NEAR(std::stod(year[13][3]), yearKcal, 0.006);

    const auto json = nlohmann::json::parse(Kiro("report year 2016 --json").output);
    EXPECT_EQ(json["mode"], "year");
    EXPECT_EQ(json["rows"].size(), 13u);
    EXPECT_EQ(json["series"].size(), 12u);
    EXPECT_EQ(json["series"][3].get<int64_t>(), std::stoll(year[4][1]));
    EXPECT_EQ(Kiro("report year 2016-04-20 --csv").output, Kiro("report year 2016 --csv").output)
        << "a date stands for its year";
}

// The picture has one group of lines for each day with steps (each month in a year), and its
// text parts are escaped.
TEST_F(CliHistoryTest, PicturesOfTheGraphsHoldAMarkForEachDayOrMonthWithSteps) {
    // Steps in April and May.
    ASSERT_EQ(Kiro("import " + test::ShellQuote(kRealSteps) + " --person 1503960366").exitCode, 0);
    const auto days = Kiro("report month 2016-04-01 --csv");
    const long daysWithSteps = std::count(days.output.begin(), days.output.end(), '\n') - 1;
    ASSERT_GT(daysWithSteps, 5);
    const auto count = [](const std::string& text, const std::string& part) {
        long found = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
        return found;
    };
    for (const char* mode : {"month 2016-04-01", "year 2016", "day 2016-04-13", "week 2016-04-13"}) {
        const std::string picture = folder.File("picture.svg");
        fs::remove(picture);
        const auto plotted = Kiro(std::string("plot ") + mode + " --out " + test::ShellQuote(picture));
        ASSERT_EQ(plotted.exitCode, 0) << mode << plotted.output;
        const std::string svg = test::TempFolder::ReadFile(picture);
        EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u) << mode;
        EXPECT_NE(svg.find("width=\"665\" height=\"213\""), std::string::npos) << mode;
        EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n") << mode;
        EXPECT_NE(svg.find(">Steps</text>"), std::string::npos) << mode;
        if (std::string(mode).rfind("month", 0) == 0) {
            EXPECT_EQ(count(svg, "class=\"unit steps\""), daysWithSteps);
        }
        if (std::string(mode).rfind("year", 0) == 0) {
            EXPECT_EQ(count(svg, "class=\"unit steps\""), 2) << "April and May";
            EXPECT_NE(svg.find(">Months</text>"), std::string::npos);
        }
    }
    const auto png = Kiro("plot month 2016-04-01 --out " + test::ShellQuote(folder.File("picture.png")));
    EXPECT_EQ(png.exitCode, 1);
    EXPECT_FALSE(fs::exists(folder.File("picture.png")));
}

}  // namespace
}  // namespace kiro
