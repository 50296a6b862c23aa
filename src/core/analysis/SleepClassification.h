#pragma once
#include <vector>

namespace kiro {

// What a night's curve says: when sleep began and ended (minute offsets into the window), how
// many minutes in between were deep sleep and sleep, and the efficiency in percent.
struct SleepResult {
    int sleepStart = 0;
    int sleepEnd = 0;
    int deepMinutes = 0;
    int lightMinutes = 0;
    int efficiency = 0;

    int SleepMinutes() const { return deepMinutes + lightMinutes; }
};

// Sleep begins at the first ten-minute stretch without a value above 150. It ends at the last
// stretch without a value above 500 before the sleeper has been awake for 15 stretches in a row.
SleepResult ClassifySleep(const std::vector<int>& curve);

}  // namespace kiro
