// A watch disk with a CLOCK.TXT of 100 MB, and month files that are folders or links: what the
// reports and a collection make of them, a row per kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "CommandRow.h"
#include "Sandbox.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::Expected;
using test::Sandbox;

// A file-mode watch with three days of May 2024, written by kiro itself.
void MakeWatch(Sandbox& box) {
    const test::BoundedResult made =
        box.Kiro({"simulate", "{watch}", "--from", "2024-05-10", "--days", "3"}, 10000ms);
    ASSERT_EQ(made.exitCode, 0) << made.err;
}

std::vector<std::string> DayFilesOn(const Sandbox& box) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(box.Watch()))
        if (entry.path().extension() == ".KRO") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WatchDiskRows, AClockFileOf100MegabytesIsReadNoFurtherThanAnyRealOne) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        Expected expected;
        bool collected;  // the day files left the watch for the program folder
    } rows[] = {
        // The settings of the watch cannot be shown: said, and a failure.
        {"watch-settings",
         {"watch-settings", "{watch}"},
         {1, "cannot read the CLOCK.TXT of", "", 5000ms},
         false},
        // The steps are stored all the same; the status line says the settings were not read.
        {"collect",
         {"--folder", "{prog}", "collect", "{watch}"},
         {0, "", "### Cannot read CLOCK.TXT ###", 10000ms},
         true},
    };
    for (const auto& row : rows) {
        Sandbox box;
        MakeWatch(box);
        {
            std::ofstream clock(box.Watch("CLOCK.TXT"), std::ios::binary | std::ios::app);
            const std::string megabyte(1024 * 1024, 'x');
            for (int i = 0; i < 100; ++i) clock << megabyte;
        }
        const auto dayFiles = DayFilesOn(box);
        const test::BoundedResult run =
            test::RunRow(box, std::string("100 MB CLOCK.TXT: ") + row.name, row.arguments, row.expected);
        if (row.name == std::string("watch-settings")) {
            EXPECT_NE(run.err.find("File too large"), std::string::npos);
        }
        EXPECT_EQ(DayFilesOn(box).empty(), row.collected) << row.name;
        EXPECT_EQ(fs::exists(box.Prog("Data/Kiro202405.BIN")), row.collected) << row.name;
        EXPECT_GT(fs::file_size(box.Watch("CLOCK.TXT")), 100u * 1024 * 1024)
            << "the watch's file is left as it is";
        EXPECT_EQ(dayFiles.size(), 3u);
    }
}

// A month file of May 2024 that is not a regular file. Reports that need May say so and fail;
// reports of other months go on; a collection into May stores nothing and leaves the day files
// on the watch; nothing is read or written through a link.
TEST(WatchDiskRows, AMonthFileThatIsAFolderOrALinkIsNeitherReadNorWrittenThrough) {
    const struct {
        const char* name;
        void (*plant)(const Sandbox&);
        const char* why;  // the system's words for it
    } kinds[] = {
        {"a folder", [](const Sandbox& box) { fs::create_directories(box.Prog("Data/Kiro202405.BIN")); },
         "Is a directory"},
        {"a link to a file outside",
         [](const Sandbox& box) {
             // A month of steps elsewhere: shown, it would be taken as May's.
             box.Write("outside/victim.BIN", Sandbox::StoredMonthBytes(1));
             fs::create_symlink(box.Outside("victim.BIN"), box.Prog("Data/Kiro202405.BIN"));
         },
         "Too many levels of symbolic links"},
        {"a dangling link",
         [](const Sandbox& box) {
             fs::create_symlink(box.Outside("nothing.BIN"), box.Prog("Data/Kiro202405.BIN"));
         },
         "Too many levels of symbolic links"},
    };
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        int exitCode;
        const char* outputSays;
        bool needsMay;
    } commands[] = {
        {"month report of May", {"report", "month", "2024-05-11"}, 1, "", true},
        {"week report into May", {"report", "week", "2024-04-30"}, 1, "", true},
        {"day report in May", {"report", "day", "2024-05-11", "--json"}, 1, "", true},
        {"export into May", {"export", "2024-04-30", "2024-05-02"}, 1, "", true},
        {"sleep of a night before May", {"sleep", "2024-04-30"}, 1, "", true},
        {"month report of April", {"report", "month", "2024-04-15"}, 0, "2024/04/15", false},
        {"export of March", {"export", "2024-03-01", "2024-03-01", "--csv"}, 0, "2024-03-01 00:00,", false},
        {"collect a watch of May", {"collect", "{watch}"}, 1, "", true},
    };
    for (const auto& kind : kinds) {
        for (const auto& command : commands) {
            Sandbox box;
            MakeWatch(box);
            kind.plant(box);
            const std::string row = std::string(kind.name) + ": " + command.name;
            std::vector<std::string> arguments = {"--folder", "{prog}"};
            arguments.insert(arguments.end(), command.arguments.begin(), command.arguments.end());
            const bool collecting = command.arguments.front() == "collect";
            const std::string says = !command.needsMay ? ""
                                     : collecting      ? std::string("could not be updated: ") + kind.why
                                                       : std::string("Data/Kiro202405.BIN (") + kind.why +
                                                        "): its steps cannot be shown";
            const test::BoundedResult run =
                test::RunRow(box, row, arguments, {command.exitCode, says, command.outputSays, 10000ms});
            if (command.needsMay && !collecting) {
                EXPECT_EQ(run.out, "") << row << ": nothing shown as if May were empty";
            }
            EXPECT_EQ(DayFilesOn(box).size(), 3u) << row << ": the day files stay on the watch";
            EXPECT_TRUE(fs::is_symlink(box.Prog("Data/Kiro202405.BIN")) ||
                        fs::is_directory(fs::symlink_status(box.Prog("Data/Kiro202405.BIN"))))
                << row << ": left as it was";
        }
    }
}

}  // namespace
}  // namespace kiro
