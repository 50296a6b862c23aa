#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace kiro {

class Random;

// Curve values at or above this are awake, below kSleepThreshold deep sleep, between them sleep.
inline constexpr int kAwakeThreshold = 500;
inline constexpr int kSleepThreshold = 150;
inline constexpr int kSleepCurveMax = 1000;

// The sleep-depth curve of a window: values 0..1000 for minutes windowStart + 0 .. windowStart +
// windowMinutes of `minutes` (counted from the start of the month; minutes before it count as 0).
// Each value is the mean over the 30 minutes up to it of 1000 x log10(steps), plus a small
// random walk drawn from `random` so that flat stretches do not draw as a single line.
std::vector<int> BuildSleepCurve(std::span<const uint16_t> minutes, int windowStart, int windowMinutes,
                                 Random& random);

}  // namespace kiro
