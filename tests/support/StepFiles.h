#pragma once
// Steps files of other trackers with minutes a test knows, in each format the import reads.
#include <string>
#include <utility>
#include <vector>

#include "core/watchdisk/StepFile.h"

namespace kiro::test {

struct KnownMinute {
    int year, month, day, hour, minute;
    int steps;
};

// The minutes a person walked, under the Id the file gives them.
using PersonMinutes = std::pair<std::string, std::vector<KnownMinute>>;

// A steps file of the format holding the minutes in the order given, person after person (a
// file without Ids takes the first person's only). Times are written as the format's trackers
// write them; in an hour row a minute that the row holds already starts the next row, so that an
// hour the clocks went back over comes twice, as it does in such a file.
std::string StepFileText(StepFileFormat format, const std::vector<PersonMinutes>& people);
std::string StepFileText(StepFileFormat format, const std::vector<KnownMinute>& minutes);

// The minutes of every format's test: a month end, a year end, the hour that the clocks skip in
// spring and the hour they go back over in autumn (01:30 comes twice there: 10 and 12 steps).
const std::vector<KnownMinute>& EdgeMinutes();
// Those minutes as stored: 01:30 of the autumn day summed.
const std::vector<KnownMinute>& EdgeMinutesStored();

// Every minute of a year, steps 1 to 120 in turn: the file of the import's speed and memory.
std::string YearOfMinutesText(StepFileFormat format, int year);

}  // namespace kiro::test
