// Steps files of other trackers read and stored: each format, the minutes a watch stored first,
// the same file twice, files of several people, and bad lines anywhere in a file.
#include <gtest/gtest.h>

#include "CollectionWorld.h"
#include "core/base/Format.h"
#include "core/watchdisk/StepImport.h"
#include "platform/sim/StepGenerator.h"
#include "support/ErrorCodes.h"
#include "support/StepFiles.h"

namespace kiro {
namespace {

using test::KnownMinute;

std::string FormatName(StepFileFormat format) {
    switch (format) {
        case StepFileFormat::HourRows:
            return "hour rows";
        case StepFileFormat::MinuteRows:
            return "minute rows";
        case StepFileFormat::TimeAndSteps:
            break;
    }
    return "time and steps";
}

class StepImportTest : public ::testing::Test {
  protected:
    // Writes a steps file beside the program folder: its path.
    std::string WriteFile(const std::string& text, const std::string& name = "steps.csv") {
        world.disks.Write(name, text);
        return world.disks.File(name);
    }
    StepFileContent Read(const std::string& text, const std::string& person = {}) {
        return ReadStepFile(world.files, WriteFile(text), person);
    }
    // Reads and stores a file that must have no problem.
    ImportOutcome Import(const std::string& text, const std::string& person = {}) {
        StepFileContent file = Read(text, person);
        EXPECT_EQ(file.problem, StepFileProblem::None)
            << DescribeStepFileProblem(world.app, file, "steps.csv");
        return ImportStepFile(world.app, std::move(file));
    }
    int Stored(const KnownMinute& m) const {
        return world.Month(m.year, m.month).At(m.day, m.hour, m.minute);
    }
    int64_t StoredSum(int year, int month) const {
        int64_t sum = 0;
        for (const uint16_t count : world.Month(year, month).minutes) sum += count;
        return sum;
    }

    test::CollectionWorld world;
};

TEST_F(StepImportTest, EachFormatStoresItsMinutesAcrossMonthAndYearEndsAndClockChanges) {
    for (const StepFileFormat format :
         {StepFileFormat::HourRows, StepFileFormat::MinuteRows, StepFileFormat::TimeAndSteps}) {
        test::CollectionWorld fresh;
        const std::string path = fresh.disks.File("steps.csv");
        fresh.disks.Write("steps.csv", test::StepFileText(format, test::EdgeMinutes()));
        StepFileContent file = ReadStepFile(fresh.files, path, {});
        ASSERT_EQ(file.problem, StepFileProblem::None) << FormatName(format);
        EXPECT_EQ(file.format, format);
        EXPECT_EQ(file.months.Months().size(), 6u) << "January, February, March, November, December, January";

        const ImportOutcome preview = PreviewStepFile(fresh.app, file);
        const ImportOutcome stored = ImportStepFile(fresh.app, std::move(file));
        for (const ImportOutcome& outcome : {preview, stored}) {
            EXPECT_EQ(outcome.result, ImportResult::Stored) << FormatName(format);
            EXPECT_EQ(outcome.figures.days, 6) << FormatName(format);
            EXPECT_EQ(outcome.figures.minutes, 9) << FormatName(format);
            EXPECT_EQ(outcome.figures.steps, 140) << FormatName(format);
            EXPECT_EQ(outcome.figures.minutesHeld, 0) << FormatName(format);
        }
        for (const KnownMinute& m : test::EdgeMinutesStored())
            EXPECT_EQ(fresh.Month(m.year, m.month).At(m.day, m.hour, m.minute), m.steps)
                << FormatName(format)
                << Format(" %04d-%02d-%02d %02d:%02d", m.year, m.month, m.day, m.hour, m.minute);
        int64_t total = 0;
        for (const auto& [year, month] :
             {std::pair{2016, 1}, {2016, 2}, {2016, 3}, {2016, 11}, {2016, 12}, {2017, 1}})
            for (const uint16_t count : fresh.Month(year, month).minutes) total += count;
        EXPECT_EQ(total, 140) << FormatName(format) << ": nothing but the file's minutes";
        // Totals and running missions move as for a collection: every minute given steps counts.
        EXPECT_EQ(fresh.app.Config().Values().totalSteps, 140);
        EXPECT_EQ(fresh.app.Config().Values().totalPeriod, 9);
        EXPECT_EQ(fresh.app.Config().File().ReadInt("Summary", "TotalSteps", 0), 140);
    }
}

TEST_F(StepImportTest, TheSameFileAgainStoresNothingAndAnOverlappingFileOnlyItsNewMinutes) {
    MissionSettings mission;
    mission.status = 1;
    mission.goes = 100000;
    world.app.Config().SetMission(MissionId::A, mission);
    const std::string text = test::StepFileText(StepFileFormat::MinuteRows, test::EdgeMinutes());
    ASSERT_EQ(Import(text).figures.steps, 140);
    EXPECT_EQ(world.app.Config().Values().Mission(MissionId::A).curSteps, 140)
        << "a running mission advances";

    const ImportOutcome again = Import(text);
    EXPECT_EQ(again.result, ImportResult::ImportedBefore);
    EXPECT_EQ(again.figures.minutes, 0);
    EXPECT_EQ(world.app.Config().Values().totalSteps, 140);
    EXPECT_EQ(world.app.Config().Values().Mission(MissionId::A).curSteps, 140);
    EXPECT_EQ(Stored({2016, 11, 6, 1, 30, 0}), 22) << "not 44";

    // The same minutes written otherwise, and one more: only that one is new.
    std::vector<KnownMinute> more = test::EdgeMinutes();
    more.push_back({2016, 11, 6, 2, 0, 8});
    const ImportOutcome overlapping = Import(test::StepFileText(StepFileFormat::TimeAndSteps, more));
    EXPECT_EQ(overlapping.result, ImportResult::Stored);
    EXPECT_EQ(overlapping.figures.minutes, 1);
    EXPECT_EQ(overlapping.figures.steps, 8);
    EXPECT_EQ(overlapping.figures.minutesHeld, 9);
    EXPECT_EQ(Stored({2016, 11, 6, 1, 30, 0}), 22);
    EXPECT_EQ(Stored({2016, 11, 6, 2, 0, 0}), 8);
    EXPECT_EQ(world.app.Config().Values().totalSteps, 148);
    const std::string journal = world.programFolder.Read("ImportJournal.txt");
    EXPECT_NE(journal.find("steps-import:1503960366 "), std::string::npos) << journal;
    EXPECT_NE(journal.find("steps-import: "), std::string::npos) << "a file without Ids: " << journal;
}

// The rule that keeps a watch's minutes: an imported minute goes only where the folder holds no
// steps, whatever the file says of it.
TEST_F(StepImportTest, AMinuteCollectedFromAWatchIsNeverAddedTo) {
    sim::FileModeWatch watch(world.DiskFolder("watch"));
    const sim::DaySteps day = sim::GenerateDays(2016, 11, 6, 1, 3).front();
    watch.AddDay(day, sim::DayFileFormat::Binary);
    world.app.Config().SetAutoConfirm(true);
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    int busy = -1;
    for (int minute = 0; minute < 1440; ++minute)
        if (day.minutes[minute] > 0) busy = minute;
    ASSERT_GE(busy, 0);
    const int64_t collected = world.app.Config().Values().totalSteps;
    const int64_t novemberBefore = StoredSum(2016, 11);

    std::vector<KnownMinute> file = {{2016, 11, 6, busy / 60, busy % 60, 500}};
    int idle = 0;
    while (day.minutes[idle] != 0) ++idle;
    file.push_back({2016, 11, 6, idle / 60, idle % 60, 7});
    const ImportOutcome outcome = Import(test::StepFileText(StepFileFormat::TimeAndSteps, file));
    EXPECT_EQ(outcome.figures.minutesHeld, 1);
    EXPECT_EQ(outcome.figures.minutes, 1);
    EXPECT_EQ(Stored(file[0]), day.minutes[busy]) << "the watch's count stays as it was";
    EXPECT_EQ(Stored(file[1]), 7);
    EXPECT_EQ(StoredSum(2016, 11), novemberBefore + 7);
    EXPECT_EQ(world.app.Config().Values().totalSteps, collected + 7);
}

TEST_F(StepImportTest, AFileOfSeveralPeopleTakesOnlyThePersonChosen) {
    const std::vector<KnownMinute> first = {{2016, 4, 13, 8, 0, 100}, {2016, 4, 13, 8, 1, 50}};
    const std::vector<KnownMinute> second = {{2016, 4, 13, 8, 0, 7}};
    for (const StepFileFormat format : {StepFileFormat::HourRows, StepFileFormat::MinuteRows}) {
        const std::string text = test::StepFileText(format, {{"1503960366", first}, {"4319703577", second}});
        const StepFileContent unchosen = Read(text);
        EXPECT_EQ(unchosen.problem, StepFileProblem::SeveralPeople) << FormatName(format);
        EXPECT_EQ(unchosen.people, (std::vector<std::string>{"1503960366", "4319703577"}));
        EXPECT_TRUE(unchosen.months.Empty()) << "nothing to store";
        EXPECT_EQ(DescribeStepFileProblem(world.app, unchosen, "two.csv"),
                  "two.csv holds the steps of several people: 1503960366, 4319703577");

        const StepFileContent stranger = Read(text, "999");
        EXPECT_EQ(stranger.problem, StepFileProblem::PersonMissing);
        EXPECT_EQ(DescribeStepFileProblem(world.app, stranger, "two.csv"),
                  "two.csv holds no steps of 999 (people in it: 1503960366, 4319703577)");
    }
    EXPECT_EQ(Read(test::StepFileText(StepFileFormat::TimeAndSteps, first), "1503960366").problem,
              StepFileProblem::PersonMissing)
        << "a file without Ids holds no one's steps by name";

    const ImportOutcome secondOnly = Import(
        test::StepFileText(StepFileFormat::MinuteRows, {{"1503960366", first}, {"4319703577", second}}),
        "4319703577");
    EXPECT_EQ(secondOnly.figures.steps, 7);
    EXPECT_EQ(Stored(first[0]), 7);
    EXPECT_EQ(Stored(first[1]), 0);
}

// One bad line anywhere, even after good ones, and nothing of the file is stored; the message
// names the line.
// An hour row without steps.
std::string EmptyHourRow(const std::string& idAndTime) {
    std::string row = idAndTime;
    for (int minute = 0; minute < 60; ++minute) row += ",0";
    return row + "\n";
}

TEST_F(StepImportTest, ABadLineStoresNothingAndIsNamedByItsNumber) {
    const std::string good =
        "Id,ActivityMinute,Steps\n1,4/13/2016 8:00:00 AM,100\n1,4/13/2016 8:01:00 AM,50\n";
    const struct {
        const char* what;
        std::string text;
        StepFileProblem problem;
        int64_t line;
    } rows[] = {
        {"no such day", good + "1,4/31/2016 8:02:00 AM,5\n", StepFileProblem::BadTime, 4},
        {"thirteenth hour", good + "1,4/13/2016 13:02:00 PM,5\n", StepFileProblem::BadTime, 4},
        {"two-digit year", good + "1,4/13/16 8:02:00 AM,5\n", StepFileProblem::BadTime, 4},
        {"a zone", "time,steps\n2016-04-13 08:00,1\n2016-04-13T08:01:00Z,1\n", StepFileProblem::BadTime, 3},
        {"an hour row inside the hour",
         test::StepFileText(StepFileFormat::HourRows, std::vector<KnownMinute>{}) +
             EmptyHourRow("1,4/13/2016 8:00:00 AM") + EmptyHourRow("1,4/13/2016 9:30:00 AM"),
         StepFileProblem::BadTime, 3},
        {"negative steps", good + "1,4/13/2016 8:02:00 AM,-5\n", StepFileProblem::BadSteps, 4},
        {"a fraction", good + "1,4/13/2016 8:02:00 AM,2.5\n", StepFileProblem::BadSteps, 4},
        {"no steps", good + "1,4/13/2016 8:02:00 AM,\n", StepFileProblem::BadSteps, 4},
        {"a field more", good + "1,4/13/2016 8:02:00 AM,5,6\n", StepFileProblem::FieldCount, 4},
        {"a line without end", good + std::string(5000, '7'), StepFileProblem::LineTooLong, 4},
        {"a long line in the middle", good + std::string(70000, ',') + "\n" + good,
         StepFileProblem::LineTooLong, 4},
        {"no header", "1,4/13/2016 8:00:00 AM,100\n", StepFileProblem::UnknownHeader, 1},
        {"an empty file", "", StepFileProblem::UnknownHeader, 1},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10), StepFileProblem::UnknownHeader, 1},
    };
    for (const auto& row : rows) {
        const StepFileContent file = Read(row.text);
        EXPECT_EQ(file.problem, row.problem) << row.what;
        EXPECT_EQ(file.line, row.line) << row.what;
        EXPECT_TRUE(file.months.Empty()) << row.what;
    }
    const StepFileContent bad = Read(good + "\n1,4/13/2016 8:02:00 AM,lots\n" + good.substr(24));
    EXPECT_EQ(DescribeStepFileProblem(world.app, bad, "steps.csv"),
              "Line 5 of steps.csv: its steps are no whole number of 0 or more. Nothing was imported.");
    EXPECT_FALSE(world.files.OpensForReading(world.programFolder.File("Data/Kiro201604.BIN")));
}

TEST_F(StepImportTest, WhatTheFileHoldsIsReadAsTrackersWriteIt) {
    // A byte order mark, blanks, quotes, CR LF, upper-case names, empty lines, a last line
    // without its break, and a count far beyond what a minute can hold.
    const std::string text =
        "\xEF\xBB\xBF"
        "TIME , Steps\r\n\r\n\"2016-04-13T08:00:00\", 12 \r\n2016-04-13 08:01:59,99999999999\r\n"
        "2016-04-13 08:01,1";
    const StepFileContent file = Read(text);
    ASSERT_EQ(file.problem, StepFileProblem::None);
    const MonthBuffer& april = file.months.Months().at({2016, 4});
    EXPECT_EQ(april.At(13, 8, 0), 12);
    EXPECT_EQ(april.At(13, 8, 1), 65535) << "seconds round down; counts stop where the store stops";
    EXPECT_EQ(file.identity.size, text.size());

    const struct {
        const char* text;
        bool valid;
        int hour;
    } times[] = {
        {"4/13/2016 12:00:00 AM", true, 0}, {"4/13/2016 12:59:00 PM", true, 12},
        {"4/13/2016 11:00 pm", true, 23},   {"12/31/2016 23:00:00", true, 23},
        {"2/29/2016 1:00:00 AM", true, 1},  {"2/29/2015 1:00:00 AM", false, 0},
        {"4/13/2016 0:00:00 AM", false, 0}, {"2016-04-13 24:00", false, 0},
        {"2016-4-13 08:00", false, 0},      {"2016-04-13", false, 0},
        {"2016-04-13 08:00:60", false, 0},  {"2016-04-13 08:00+01:00", false, 0},
    };
    for (const auto& time : times) {
        const auto parsed = ParseStepFileTime(time.text);
        EXPECT_EQ(parsed.has_value(), time.valid) << time.text;
        if (parsed) {
            EXPECT_EQ(parsed->hour, time.hour) << time.text;
        }
    }
}

TEST_F(StepImportTest, AFolderThatCannotBeWrittenKeepsEverythingAsItWas) {
    StepFileContent file = Read(test::StepFileText(StepFileFormat::TimeAndSteps, test::EdgeMinutes()));
    world.files.FailPath("Data/Kiro201612.BIN", std::make_error_code(std::errc::no_space_on_device));
    const ImportOutcome outcome = ImportStepFile(world.app, std::move(file));
    EXPECT_EQ(outcome.result, ImportResult::FolderFailed);
    EXPECT_EQ(outcome.error, std::errc::no_space_on_device);
    EXPECT_EQ(StoredSum(2016, 1), 0) << "the whole file is one commit";
    EXPECT_EQ(world.app.Config().Values().totalSteps, 0);
    EXPECT_FALSE(world.files.OpensForReading(world.programFolder.File("ImportJournal.txt")));

    world.files.FailRead("steps.csv", std::make_error_code(std::errc::permission_denied));
    const StepFileContent unreadable = Read("time,steps\n");
    EXPECT_EQ(unreadable.problem, StepFileProblem::Unreadable);
    EXPECT_EQ(DescribeStepFileProblem(world.app, unreadable, "steps.csv"),
              "Cannot read steps.csv (Permission denied): nothing was imported");
}

TEST_F(StepImportTest, AYearOfMinutesIsReadWholeInPiecesOfBoundedSize) {
    const std::string text = test::YearOfMinutesText(StepFileFormat::TimeAndSteps, 2015);
    ASSERT_GT(text.size(), 8'000'000u);
    StepFileContent file = Read(text);
    ASSERT_EQ(file.problem, StepFileProblem::None);
    EXPECT_EQ(file.months.Months().size(), 12u);
    const ImportOutcome outcome = ImportStepFile(world.app, std::move(file));
    EXPECT_EQ(outcome.figures.minutes, 365 * 1440);
    EXPECT_EQ(outcome.figures.days, 365);
    EXPECT_EQ(world.Month(2015, 12).At(31, 23, 59), (365 * 1440 - 1) % 120 + 1);
}

// A file dropped on the window: whose steps, then whether to store them, each asked; only Yes
// to both stores, and what was stored shows in the status line.
TEST_F(StepImportTest, TheWindowsImportAsksWhoseStepsAndWhetherToStoreThem) {
    const std::string path =
        WriteFile(test::StepFileText(StepFileFormat::MinuteRows,
                                     {{"A", {{2016, 4, 13, 8, 0, 100}}}, {"B", {{2016, 4, 13, 9, 0, 7}}}}),
                  "two.csv");
    world.host.answers = {false, true, false};
    EXPECT_FALSE(ImportStepFileAsking(world.app, world.host, path, "two.csv"));
    EXPECT_EQ(
        world.host.Lines("ask: "),
        (std::vector<std::string>{"ask: two.csv holds the steps of several people. Import those of A?",
                                  "ask: two.csv holds the steps of several people. Import those of B?",
                                  "ask: Import the steps of two.csv?\n1 days, 1 minutes, 7 steps (0 minutes "
                                  "that hold steps already are left as they are)"}));
    EXPECT_EQ(Stored({2016, 4, 13, 9, 0, 0}), 0) << "No stores nothing";

    world.host.Clear();
    world.host.answers = {false, true, true};
    EXPECT_TRUE(ImportStepFileAsking(world.app, world.host, path, "two.csv"));
    EXPECT_EQ(Stored({2016, 4, 13, 9, 0, 0}), 7);
    EXPECT_EQ(Stored({2016, 4, 13, 8, 0, 0}), 0);
    EXPECT_EQ(world.host.Lines("status: "),
              std::vector<std::string>{
                  "status: Imported from two.csv: 1 days, 1 minutes, 7 steps (0 minutes that hold "
                  "steps already are left as they are)"});
    EXPECT_EQ(world.host.Count("data-changed"), 1);

    world.host.Clear();
    world.host.answers = {false, false};
    EXPECT_FALSE(ImportStepFileAsking(world.app, world.host, path, "two.csv")) << "no one chosen";
    EXPECT_EQ(world.host.Lines("ask: ").size(), 2u);
    world.host.answers = {false, true};
    EXPECT_FALSE(ImportStepFileAsking(world.app, world.host, path, "two.csv"));
    EXPECT_EQ(world.host.Lines("message: ").back(),
              "message: two.csv was imported before: nothing new was stored");

    world.host.Clear();
    const std::string bad = WriteFile("time,steps\n2016-04-13 08:00,1\n2016-04-31 08:00,1\n", "bad.csv");
    EXPECT_FALSE(ImportStepFileAsking(world.app, world.host, bad, "bad.csv"));
    EXPECT_TRUE(world.host.Lines("ask: ").empty()) << "nothing to ask about";
    EXPECT_EQ(
        world.host.Lines("message: "),
        std::vector<std::string>{"message: Line 3 of bad.csv: its time is no valid date and time for such a "
                                 "line. Nothing was imported."});
}

}  // namespace
}  // namespace kiro
