#pragma once
#include <string>
#include <vector>

#include "platform/sim/DaySteps.h"

namespace kiro::sim {

// One day of real per-minute steps of one person, with how many of its hours were recorded.
struct RealDay : DaySteps {
    int recordedHours = 0;  // hours present in the file; a missing hour means no sync, not zero steps
};

// Reads the per-minute steps of one participant from the real-data file (data/realworld/
// minuteStepsWide.csv: Id, ActivityHour "M/D/YYYY h:mm:ss AM", Steps00..Steps59), one entry
// per day that has at least one recorded hour, in date order. Empty when the file cannot be read.
std::vector<RealDay> LoadRealWorldSteps(const std::string& csvPath, const std::string& participantId);

// The participants of the real-data file.
inline const char* const kRealWorldParticipants[] = {"1503960366", "4319703577", "6117666160", "2347167796"};

}  // namespace kiro::sim
