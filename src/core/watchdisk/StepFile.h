#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/base/LocalTime.h"
#include "core/store/MonthBatch.h"
#include "core/system/FileSystem.h"
#include "core/watchdisk/ImportJournal.h"

namespace kiro {

// The per-minute step files of other trackers, told apart by their first line:
enum class StepFileFormat {
    HourRows,      // Id,ActivityHour,Steps00..Steps59: a row per hour ("4/13/2016 1:00:00 AM")
    MinuteRows,    // Id,ActivityMinute,Steps: a row per minute
    TimeAndSteps,  // time,steps (or When,Steps, as kiro export writes it): "2026-12-07 08:15"
};

// What keeps a steps file from being imported. A file is taken whole or not at all: one bad line
// anywhere stores nothing.
enum class StepFileProblem {
    None,
    Unreadable,     // the file cannot be opened or read to its end (`error`)
    UnknownHeader,  // the first line names no format this program reads
    FieldCount,     // a line with more or fewer fields than its header
    BadTime,        // no existing date and time, or, in an hour row, not a whole hour
    BadSteps,       // no whole number of 0 or more
    LineTooLong,    // longer than any line of a steps file
    TooManyMonths,  // more months with steps than one import takes (kMaxImportMonths)
    SeveralPeople,  // rows of several Ids and none chosen (`people`)
    PersonMissing,  // no row of the Id chosen (`people` names those there are)
};

// The most months one import holds in memory at once, about 21 MB of minutes.
inline constexpr size_t kMaxImportMonths = 240;
// A line longer than this is no line of a steps file (an hour row is under 500 bytes).
inline constexpr size_t kMaxStepFileLine = 4096;
// At most this many Ids are kept to be named; a file may have more.
inline constexpr size_t kMaxListedPeople = 20;

struct StepFileContent {
    StepFileProblem problem = StepFileProblem::None;
    std::error_code error;
    // The line of a problem found on one, counted from 1.
    int64_t line = 0;
    // The Ids met in the file, in the order met (the first kMaxListedPeople of them).
    std::vector<std::string> people;
    StepFileFormat format = StepFileFormat::TimeAndSteps;
    // The Id whose steps are taken: the one asked for, or the file's first; empty in a file
    // without Ids.
    std::string person;
    // The steps of every minute of the person chosen, by month: lines of the same minute (an hour
    // repeated where the clocks went back) are added up, stopping at the store's largest count.
    MonthBatch months;
    // The content read and the person chosen, as the import journal keeps them.
    ImportJournal::Entry identity;
};

// Reads a steps file in pieces of bounded size, whatever its length, keeping only its months.
// `person` chooses the Id whose rows are taken; empty takes the only one there is.
StepFileContent ReadStepFile(FileSystem& files, const std::string& path, const std::string& person);

// A time of a steps file: "M/D/YYYY h:mm[:ss] AM|PM" (or the same on a 24-hour clock) and
// "YYYY-MM-DD hh:mm[:ss]" (or with "T" between date and time), an existing local date and time
// either way. Seconds are kept for the caller to round down.
std::optional<LocalTime> ParseStepFileTime(std::string_view text);

}  // namespace kiro
