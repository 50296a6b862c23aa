#pragma once
#include <cstdint>
#include <vector>

#include "platform/sim/DaySteps.h"

namespace kiro::sim {

// Realistic per-minute steps of one imagined office worker: nights in bed with sparse restless
// movement, a walk-train-walk commute and quiet office hours on weekdays with a lunch walk,
// evening walks, a long hike on Saturdays and a morning walk on Sundays. The same seed and date
// always give the same day, whatever span it is generated in.
DaySteps GenerateDay(int year, int month, int day, uint64_t seed);
std::vector<DaySteps> GenerateDays(int year, int month, int day, int dayCount, uint64_t seed);

}  // namespace kiro::sim
