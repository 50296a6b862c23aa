// The report, sleep, summary and export commands as a black box over a prepared program folder.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "KiroCommand.h"
#include "core/analysis/SleepSession.h"
#include "core/app/App.h"
#include "core/base/ProgramFolder.h"
#include "core/store/CommitRecord.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

class CliAnalysisTest : public ::testing::Test {
  protected:
    test::TempFolder folder;

    // May 2014: 40 minutes of 75 steps from 10:00 on the 3rd, 100 steps at 12:00 and a slight move
    // of 5 at 13:00; 300 steps at 23:59 on the 31st.
    void SetUp() override {
        folder.Write("KiroMeter2.INI", "[Personal]\r\nWeight=60\r\nStepSize=70\r\n");
        std::string may(89280, '\0');
        const auto put = [&may](int day, int minuteOfDay, int count) {
            may[2 * ((day - 1) * 1440 + minuteOfDay)] = static_cast<char>(count);
            may[2 * ((day - 1) * 1440 + minuteOfDay) + 1] = static_cast<char>(count >> 8);
        };
        for (int m = 0; m < 40; ++m) put(3, 600 + m, 75);
        put(3, 720, 100);
        put(3, 780, 5);
        put(31, 1439, 300);
        folder.Write("Data/Kiro201405.BIN", may);
    }

    test::CommandResult Kiro(const std::string& arguments) const {
        return test::RunCommand(test::Kiro("--folder " + test::ShellQuote(folder.Path()) + " " + arguments));
    }
};

// A reader finishes a commit a crash left before it reads, and waits for a writer instead of
// printing its half-made change.
TEST_F(CliAnalysisTest, ReadersSeeTheFolderOnlyBetweenCommits) {
    std::string june(89280, '\0');
    june[2 * (2 * 1440 + 600)] = 77;  // 77 steps at 10:00 on 3 June
    const std::string settings = "[Summary]\r\nTotalSteps=3577\r\n";
    const StagedFile stagedJune{"Data/Kiro201406.BIN", StagedContentHash(june)};
    const StagedFile stagedSettings{kSettingsFileName, StagedContentHash(settings)};
    folder.Write(StagedNameOf(stagedJune), june);
    folder.Write(StagedNameOf(stagedSettings), settings);
    folder.Write(kCommitRecordName, FormatCommitRecord({{stagedJune, stagedSettings}, {}}));
    const auto report = Kiro("report month 2014-06-03 --csv");
    EXPECT_EQ(report.exitCode, 0) << report.output;
    EXPECT_NE(report.output.find("1,2014/06/03,77,"), std::string::npos) << report.output;
    EXPECT_NE(Kiro("settings").output.find("Summary.TotalSteps=3577\n"), std::string::npos);

    NativeFileSystem files;
    std::error_code error;
    auto writing = files.TryLock(folder.File(kLockFileName), error);
    ASSERT_TRUE(writing) << error.message();
    const auto busy = Kiro("summary");
    EXPECT_EQ(busy.exitCode, 3) << busy.output;
    EXPECT_NE(busy.output.find("### The program folder is busy"), std::string::npos) << busy.output;
}

TEST_F(CliAnalysisTest, ReportAsTableCsvAndJson) {
    EXPECT_EQ(Kiro("report month 2014-05-20").output,
              "No  When        Steps  Cadence  Distance(Km)  Speed(Km/H)  Calorie(KCal)\n"
              " 1  2014/05/03   3100     1.29         2.170        3.255        132.316\n"
              " 2  2014/05/31    300     5.00         0.210       12.600          9.450\n");
    EXPECT_EQ(Kiro("report day 2014-05-03 --csv").output,
              "No,When,Steps,Cadence,Distance(Km),Speed(Km/H),Calorie(KCal)\n"
              "1,2014/05/03 10:00 ~ 10:39,3000,1.28,2.100,3.231,128.048\n"
              "2,2014/05/03 12:00 ~ 12:00,100,1.67,0.070,4.200,4.268\n");
    const auto week = Kiro("report week 2014-05-31 --json");
    EXPECT_EQ(week.output.find("{\"mode\":\"week\",\"rows\":[[\"1\",\"2014/05/31 23:59 ~ 23:59\""), 0u)
        << week.output;
    const nlohmann::json json = nlohmann::json::parse(week.output);
    ASSERT_EQ(json["series"].size(), 168u);
    EXPECT_EQ(json["series"][167], 300);
    EXPECT_EQ(json["left_max"], 300);
    EXPECT_NEAR(json["right_max"].get<double>(), 60 * 0.1355 * 60 * (300 * 70 * 0.00001) / 8, 1e-9);

    EXPECT_NE(Kiro("report decade 2014-05-03").exitCode, 0);
    EXPECT_NE(Kiro("report month 2014").exitCode, 0);
    EXPECT_NE(Kiro("report day 2014-02-30").exitCode, 0);
    EXPECT_NE(Kiro("report day 2014-05-03 --csv --json").exitCode, 0);
}

TEST_F(CliAnalysisTest, SleepOfAQuietNightIsTheFirstAnalysisOfTheProcess) {
    EXPECT_EQ(Kiro("sleep 2014-05-10").output,
              "20:05\nBad Time\n09:01\nAwake Time\n12:55\nSleep Time\n99%\nEfficiency\nEstimate: -\n");
    const auto result = Kiro("sleep 2014-05-10 --json");
    EXPECT_EQ(
        result.output.find("{\"bed\":\"20:05\",\"wake\":\"09:01\",\"sleep\":\"12:55\",\"efficiency\":99,"),
        0u)
        << result.output;
    // A fresh App of our own draws the same jitter.
    test::TempFolder empty;
    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeFileSystem files;
    App app(empty.Path(), clock, locale, files);
    app.LoadSettings();
    EXPECT_EQ(nlohmann::json::parse(result.output)["curve"].get<std::vector<int>>(),
              SleepSession(app, 2014, 5, 10, false).Curve());
}

TEST_F(CliAnalysisTest, SleepAddsTheEstimateBesideTheCurvesTimes) {
    EXPECT_TRUE(nlohmann::json::parse(Kiro("sleep 2014-05-10 --json").output)["estimate"].is_null())
        << "10 and 11 May hold no step: the text form shows a dash";

    // 20 May: walking every minute until 23:00; 21 May: still until 06:30, then walking.
    std::string may = folder.Read("Data/Kiro201405.BIN");
    const auto walk = [&may](int day, int from, int to) {
        for (int minute = from; minute < to; ++minute) may[2 * ((day - 1) * 1440 + minute)] = 20;
    };
    walk(20, 18 * 60, 23 * 60);
    walk(21, 6 * 60 + 30, 12 * 60);
    folder.Write("Data/Kiro201405.BIN", may);
    const nlohmann::json json = nlohmann::json::parse(Kiro("sleep 2014-05-20 --json").output);
    EXPECT_EQ(json["estimate"], nlohmann::json::parse(R"({"bed_minute":1380,"wake_minute":1829})"));
    EXPECT_TRUE(json["bed"].is_string()) << "the curve's own times stay";
    EXPECT_NE(Kiro("sleep 2014-05-20").output.find("\nEstimate: bed 23:00, getting up 06:29\n"),
              std::string::npos);
}

TEST_F(CliAnalysisTest, SummaryTextsWithTheTimeInEnglish) {
    folder.Write(
        "KiroMeter2.INI",
        "[Personal]\r\nWeight=60\r\nStepSize=70\r\n[Summary]\r\nTotalSteps=5000\r\nTotalPeriod=1501\r\n"
        "[Advance]\r\nLanguage=1\r\n");
    EXPECT_EQ(
        Kiro("summary --json").output,
        "{\"distance\":\"3.500 Km\",\"time\":\"1 Days 1 Hours 1 Mintues\",\"calories\":\"213.412 KCal\"}\n");
    EXPECT_NE(Kiro("summary").output.find("1 天 1 小時 1 分鐘"), std::string::npos)
        << "the page's own language";
}

TEST_F(CliAnalysisTest, ExportListsEveryMinuteWithStepsInTheRange) {
    EXPECT_EQ(Kiro("export 2014-05-03 2014-05-03").output.substr(0, 40),
              "2014-05-03 10:00,75\n2014-05-03 10:01,75\n");
    const auto whole = Kiro("export 2014-04-01 2014-06-30 --csv").output;
    EXPECT_EQ(whole.substr(0, 11), "When,Steps\n");
    EXPECT_EQ(std::count(whole.begin(), whole.end(), '\n'), 1 + 40 + 3) << "raw counts: the slight move too";
    EXPECT_NE(whole.find("\n2014-05-31 23:59,300\n"), std::string::npos);
    EXPECT_EQ(Kiro("export 2014-05-04 2014-05-30").output, "");
    EXPECT_NE(Kiro("export 2014-05-04 2014-05-03").exitCode, 0);
}

}  // namespace
}  // namespace kiro
