// Every kiro command with arguments missing, malformed or out of range: each run fails with its
// reason on standard error, by itself and in time, never by a signal, and changes nothing it was
// not told to change.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "CommandRow.h"
#include "Sandbox.h"
#include "core/app/Language.h"

namespace kiro {
namespace {

using test::kAnyFailure;
using test::Sandbox;

struct ArgumentRow {
    std::vector<std::string> arguments;
    const char* errorSays;
};

// A watch settings text as the watch-format commands take it: what kiro prints for a simulated
// watch.
std::string WatchSettingsText() {
    Sandbox box;
    EXPECT_EQ(
        box.Kiro({"simulate", "{watch}", "--from", "2024-01-01", "--days", "1"}, std::chrono::seconds(10))
            .exitCode,
        0);
    const test::BoundedResult printed = box.Kiro({"watch-settings", "{watch}"}, std::chrono::seconds(10));
    EXPECT_EQ(printed.exitCode, 0) << printed.err;
    return printed.out;
}

// The things rows point at: a file of junk, a pipe nobody writes to (a read from it would wait
// for ever), a watch settings text.
void Arrange(Sandbox& box, const std::string& settingsText) {
    box.Write("outside/junk.txt", "junk\n");
    mkfifo(box.Outside("fifo").c_str(), 0644);
    box.Write("outside/settings.txt", settingsText);
    box.Write("outside/steps.csv", "time,steps\n2024-03-01 10:00,5\n");
}

const std::string kNow = "2024-01-01 00:00:00";
const std::string kFrame = "00000000000000000000000000";

TEST(CommandArgumentRows, EachBadArgumentFailsWithItsReason) {
    const std::string manyDigits = "99999999999999999999999";
    const ArgumentRow rows[] = {
        // The command line itself.
        {{"bogus"}, "not expected: bogus"},
        {{"--folder"}, "--folder: 1 required"},
        {{"--folder", "", "settings", "set", "A", "B", "C"}, "cannot be an empty name"},
        {{"--folder", "{outside}/junk.txt", "settings", "set", "A", "B", "C"}, "Not a directory"},
        {{"--folder", "{root}/" + std::string(5000, 'a'), "settings", "set", "A", "B", "C"},
         "File name too long"},
        // settings set
        {{"settings", "set"}, "SECTION is required"},
        {{"settings", "set", "A", "B"}, "VALUE is required"},
        {{"settings", "bogus"}, "not expected: bogus"},
        // text
        {{"text"}, "INDEX is required"},
        {{"text", "x"}, "INDEX: Value x not in range"},
        {{"text", "-1"}, "not in range"},
        {{"text", std::to_string(kTextCount)}, "not in range"},
        {{"text", "5", "--lang", "3"}, "--lang: Value 3 not in range 0 to 2"},
        {{"text", "5", "--lang", "-1"}, "--lang: Value -1 not in range 0 to 2"},
        {{"text", "5", "--lang", "x"}, "--lang"},
        // report, sleep, summary, export
        {{"report"}, "MODE is required"},
        {{"report", "month"}, "DATE is required"},
        {{"report", "decade", "2024-01-01"}, "decade not in {month,week,day,year}"},
        {{"report", "month", "2024"}, "a month needs a date YYYY-MM-DD: 2024"},
        {{"report", "year", "24"}, "nor a year YYYY: 24"},
        {{"report", "year", "2024-02-30"}, "nor a year YYYY"},
        {{"report", "month", "2024-13-01"}, "not an existing date"},
        {{"report", "month", "2024-02-30"}, "not an existing date"},
        {{"report", "month", "20240101"}, "not an existing date"},
        {{"report", "day", "2024-01-01", "--csv", "--json"}, "excludes"},
        {{"sleep"}, "DATE is required"},
        {{"sleep", "2024-00-10"}, "not an existing date"},
        {{"sleep", "yesterday"}, "not an existing date"},
        {{"summary", "extra"}, "not expected: extra"},
        {{"export"}, "FROM is required"},
        {{"export", "2024-01-01"}, "TO is required"},
        {{"export", "2024-01-02", "2024-01-01"}, "2024-01-01 is before 2024-01-02"},
        {{"export", "2024-01-01", "2024-99-01"}, "not an existing date"},
        // import
        {{"--folder", "{prog}", "import"}, "FILE is required"},
        {{"--folder", "{prog}", "import", "{root}/nothing"},
         "No such file or directory): nothing was imported"},
        {{"--folder", "{prog}", "import", "{outside}/fifo"}, "Invalid argument): nothing was imported"},
        {{"--folder", "{prog}", "import", "{outside}"}, "Is a directory): nothing was imported"},
        {{"--folder", "{prog}", "import", "{outside}/junk.txt"}, "is no steps file this program reads"},
        {{"--folder", "{prog}", "import", "{outside}/steps.csv", "--person"}, "--person: 1 required"},
        {{"--folder", "{prog}", "import", "{outside}/steps.csv", "--person", "7"}, "holds no steps of 7"},
        // plot
        {{"--folder", "{prog}", "plot", "month", "2024-01-01"}, "--out is required"},
        {{"--folder", "{prog}", "plot", "year", "2024", "--out", "{outside}/year.png"},
         "a PNG picture is saved from the window"},
        {{"--folder", "{prog}", "plot", "year", "2024", "--out", "{outside}/year.gif"}, "name it FILE.svg"},
        {{"--folder", "{prog}", "plot", "day", "2024", "--out", "{outside}/day.svg"},
         "a day needs a date YYYY-MM-DD"},
        {{"--folder", "{prog}", "plot", "month", "2024-01-01", "--out", "{outside}/fifo.svg", "--width",
          "10"},
         "--width: Value 10 not in range"},
        {{"--folder", "{prog}", "plot", "month", "2024-01-01", "--out", "{outside}"}, "name it FILE.svg"},
        {{"--folder", "{prog}", "plot", "month", "2024-01-01", "--out", "{outside}/no/such/folder.svg"},
         "cannot write"},
        // simulate
        {{"simulate"}, "DIR is required"},
        {{"simulate", "{watch}"}, "--from is required"},
        {{"simulate", "{watch}", "--from", "x", "--days", "1"}, "--from must be a day that exists"},
        {{"simulate", "{watch}", "--from", "2024-01-01", "--days", "0"}, "--days: Value 0 not in range"},
        {{"simulate", "{watch}", "--from", "2024-01-01", "--days", "99999"}, "not in range"},
        {{"simulate", "{watch}", "--from", "2024-01-01", "--days", "x"}, "--days"},
        {{"simulate", "{watch}", "--from", "2011-12-31", "--days", "1"}, "years 2012 to 2099 only"},
        {{"simulate", "{watch}", "--from", "2099-12-31", "--days", "2"}, "years 2012 to 2099 only"},
        {{"simulate", "{watch}", "--from", "2024-01-01", "--days", "1", "--seed", "-1"},
         "not a whole number"},
        {{"simulate", "{watch}", "--from", "2024-01-01", "--days", "1", "--seed", manyDigits},
         "not a whole number"},
        {{"simulate", "", "--from", "2024-01-01", "--days", "1"}, "DIR cannot be an empty name"},
        {{"simulate", "{outside}/junk.txt", "--from", "2024-01-01", "--days", "1"}, "cannot write"},
        {{"simulate", "{watch}", "--from", "2024-01-01", "--days", "1", "--kro", "--txt"},
         "--kro excludes --txt"},
        // inquiry
        {{"inquiry"}, "DEVICE is required"},
        {{"inquiry", "{root}/nothing"}, "did not open"},
        {{"inquiry", ""}, "did not open"},
        {{"inquiry", "Q"}, "did not open"},
        {{"inquiry", "{outside}/junk.txt"}, "did not answer INQUIRY"},
        {{"inquiry", "{outside}/fifo"}, "did not answer INQUIRY"},
        // collect
        {{"--folder", "{prog}", "collect"}, "give PATH, --device DEV or --sim-device MODEL"},
        {{"--folder", "{prog}", "collect", "{root}/nothing"}, "is not a watch disk"},
        {{"--folder", "{prog}", "collect", "{outside}/junk.txt"}, "is not a watch disk"},
        {{"--folder", "{prog}", "collect", "{outside}/fifo"}, "is not a watch disk"},
        {{"--folder", "{prog}", "collect", "{watch}", "--device", "/dev/null"}, "PATH excludes --device"},
        {{"--folder", "{prog}", "collect", "--device", "{root}/nothing"}, "is not an X5 watch"},
        {{"--folder", "{prog}", "collect", "--device", "{outside}/junk.txt"}, "is not an X5 watch"},
        {{"--folder", "{prog}", "collect", "--device", "{outside}/fifo"}, "is not an X5 watch"},
        {{"--folder", "{prog}", "collect", "--sim-device", "bogus"}, "cannot read the simulated watch"},
        {{"--folder", "{prog}", "collect", "--sim-device", "x5c:days=-1"}, "cannot read the simulated watch"},
        {{"--folder", "{prog}", "collect", "--sim-device", "x5c:days=401"},
         "cannot read the simulated watch"},
        {{"--folder", "{prog}", "collect", "--sim-device", "x5c:days=" + manyDigits},
         "cannot read the simulated"},
        {{"--folder", "{prog}", "collect", "--sim-device", "x5c:seed=-1"}, "cannot read the simulated watch"},
        {{"--folder", "{prog}", "collect", "--sim-device", "x5c:days=1:seed=x"},
         "cannot read the simulated watch"},
        {{"--folder", "{prog}", "collect", "--sim-device", "x5c:days=1", "--sim-state", "{outside}/fifo"},
         "is not a regular file"},
        {{"--folder", "{prog}", "collect", "--sim-device", "x5c:days=1", "--sim-state", "{outside}"},
         "is not a regular file"},
        // watch-settings
        {{"watch-settings"}, "PATH is required"},
        {{"watch-settings", "{root}/nothing"}, "cannot read the CLOCK.TXT of"},
        {{"watch-settings", ""}, "cannot read the CLOCK.TXT of"},
        {{"watch-settings", "{outside}/junk.txt"}, "cannot read the CLOCK.TXT of"},
        {{"watch-settings", "{outside}/fifo"}, "cannot read the CLOCK.TXT of"},
        // display-frames
        {{"display-frames"}, "EFFECT is required"},
        {{"display-frames", "1"}, "--start is required"},
        {{"display-frames", "x", "--start", kFrame, "--target", kFrame}, "EFFECT must be a whole number"},
        {{"display-frames", "-1", "--start", kFrame, "--target", kFrame}, "EFFECT must be a whole number"},
        {{"display-frames", "99999999999", "--start", kFrame, "--target", kFrame},
         "EFFECT must be a whole number"},
        {{"display-frames", "1", "--start", "zz", "--target", kFrame},
         "--start must be 26 hexadecimal digits"},
        {{"display-frames", "1", "--start", kFrame, "--target", kFrame + "0"}, "--target must be 26"},
        {{"display-frames", "1", "--start", kFrame, "--target", kFrame, "--sped", "9"}, "--sped must be"},
        {{"display-frames", "1", "--start", kFrame, "--target", kFrame, "--sped", "-1"}, "--sped must be"},
        // display-render
        {{"display-render"}, "A subcommand is required"},
        {{"display-render", "bogus", "1"}, "A subcommand is required"},
        {{"display-render", "time"}, "HH is required"},
        {{"display-render", "time", "24", "00"}, "HH must be a whole number from 0 to 23"},
        {{"display-render", "time", "aa", "00"}, "HH must be a whole number"},
        {{"display-render", "time", "12", "60"}, "MM must be a whole number from 0 to 59"},
        {{"display-render", "date", "13", "1"}, "MM must be a whole number from 1 to 12"},
        {{"display-render", "date", "1", "0"}, "DD must be a whole number from 1 to 31"},
        {{"display-render", "size", "-1"}, "KB must be a whole number"},
        {{"display-render", "size", manyDigits}, "KB must be a whole number"},
        {{"display-render", "battery", "256"}, "N must be a whole number from 0 to 255"},
        {{"display-render", "steps", "-1"}, "N must be a whole number"},
        {{"display-render", "picture", "zz"}, "at most 39 pairs"},
        {{"display-render", "picture", "0"}, "at most 39 pairs"},
        {{"display-render", "picture", std::string(80, 'A')}, "at most 39 pairs"},
        // clockfile
        {{"clockfile"}, "KIND must be full, personal or timeset"},
        {{"clockfile", "bogus", "--out", "{root}/clock"}, "KIND must be full, personal or timeset"},
        {{"clockfile", "full"}, "--out FILE is required"},
        {{"clockfile", "full", "--out", "{root}/clock"}, "--settings FILE is required"},
        {{"clockfile", "full", "--settings", "{outside}/settings.txt", "--out", "{root}/clock"}, "--now"},
        {{"clockfile", "full", "--settings", "{outside}/settings.txt", "--now", "2024-01-01 25:00:00",
          "--out", "{root}/clock"},
         "--now must be an existing time"},
        {{"clockfile", "full", "--settings", "{outside}/settings.txt", "--now", "1999-12-31 23:59:59",
          "--out", "{root}/clock"},
         "--now must be an existing time"},
        {{"clockfile", "full", "--settings", "{outside}/junk.txt", "--now", kNow, "--out", "{root}/clock"},
         "not a Key=value line"},
        {{"clockfile", "full", "--settings", "{outside}/fifo", "--now", kNow, "--out", "{root}/clock"},
         "cannot read"},
        {{"clockfile", "full", "--settings", "{root}/nothing", "--now", kNow, "--out", "{root}/clock"},
         "cannot read"},
        {{"clockfile", "full", "--settings", "{outside}/settings.txt", "--now", kNow, "--out", "{outside}"},
         "Is a directory"},
        {{"clockfile", "full", "--settings", "{outside}/settings.txt", "--now", kNow, "--out",
          "{outside}/fifo"},
         "cannot write"},
        {{"clockfile", "full", "--old", "{outside}/junk.txt", "--out", "{root}/clock"},
         "--old is only for timeset"},
        {{"clockfile", "full", "--demo", "--out", "{root}/clock"}, "--demo is only for personal"},
        {{"clockfile", "timeset", "--settings", "{outside}/settings.txt", "--now", kNow, "--old",
          "{outside}/fifo", "--out", "{root}/clock"},
         "cannot read"},
        // block
        {{"block"}, "--model must be C or E"},
        {{"block", "--model", "X"}, "--model must be C or E"},
        {{"block", "--model", "C"}, "--settings FILE is required"},
        {{"block", "--model", "C", "--settings", "{outside}/settings.txt"}, "--now"},
        {{"block", "--model", "C", "--settings", "{outside}/settings.txt", "--now", "2024-02-30 00:00:00"},
         "--now must be an existing time"},
        // clockdiff
        {{"clockdiff"}, "--now"},
        {{"clockdiff", "00", "--now", kNow}, "BLOCKHEX must be 512 hexadecimal digits"},
        {{"clockdiff", std::string(512, 'g'), "--now", kNow}, "BLOCKHEX must be 512 hexadecimal digits"},
        {{"clockdiff", std::string(512, '0'), "--now", kNow}, "lacks \"KiroWatch X5\""},
        // stamp
        {{"stamp"}, "FILE is required"},
        {{"stamp", "{root}/nothing"}, "cannot read"},
        {{"stamp", ""}, "cannot read"},
        {{"stamp", "{outside}"}, "cannot read"},
        {{"stamp", "{outside}/fifo"}, "cannot read"},
    };
    const std::string settingsText = WatchSettingsText();
    for (const ArgumentRow& row : rows) {
        Sandbox box;
        Arrange(box, settingsText);
        std::string name = "kiro";
        for (const std::string& argument : row.arguments) name.append(" ").append(argument, 0, 60);
        test::RunRow(box, name, row.arguments,
                     {kAnyFailure, row.errorSays, "", std::chrono::milliseconds(5000)});
    }
}

}  // namespace
}  // namespace kiro
