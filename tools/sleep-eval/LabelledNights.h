#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/CalendarDay.h"

namespace kiro::sleepeval {

// One person-night of the real data: the steps of the night's date and the next day (minute 0 =
// 00:00 of the date, kNoStepData where the hour was not recorded) and the reference bed and wake
// times, in minutes after 00:00 of the date, from the tracker's own sleep labels.
struct LabelledNight {
    std::string person;
    CalendarDay date;
    std::vector<int32_t> minutes;  // 2 x 1440
    int referenceBed = 0;
    int referenceWake = 0;
};

// The comma-separated fields of a line of the data files (or of a list given to the tool).
std::vector<std::string> SplitCommas(const std::string& line);

// A time of the data files ("4/12/2016 2:47:30 AM") as minutes since 1970-01-01 00:00, seconds
// dropped; nothing when the text is not such a time.
std::optional<int64_t> ParseDataTime(const std::string& text);

// The nights that can be scored: a labelled session starting between 18:00 and 03:00, and steps
// for every hour from 18:00 to 12:00. The reference bed is the first labelled minute and the
// reference wake the last, over the sessions that start between 18:00 and 09:00.
std::vector<LabelledNight> LoadLabelledNights(const std::string& stepsCsv, const std::string& sleepCsv);

}  // namespace kiro::sleepeval
