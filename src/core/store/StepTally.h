#pragma once
#include <cstdint>

namespace kiro {

// What one source added to the store, for the running totals and the running missions.
struct StepTally {
    int64_t steps = 0;          // added to TotalSteps
    int64_t period = 0;         // added to TotalPeriod (each source counts minutes its own way)
    int64_t missionSteps = 0;   // added to the current steps of running missions
    int64_t activeMinutes = 0;  // minutes given more than the slight-move threshold: a mission's period

    bool Empty() const { return steps == 0 && period == 0 && missionSteps == 0 && activeMinutes == 0; }

    StepTally& operator+=(const StepTally& other) {
        steps += other.steps;
        period += other.period;
        missionSteps += other.missionSteps;
        activeMinutes += other.activeMinutes;
        return *this;
    }
};

}  // namespace kiro
