#include "core/analysis/SleepCurve.h"

#include <algorithm>
#include <cmath>

#include "core/base/Random.h"

namespace kiro {
namespace {

constexpr int kAveragedMinutes = 30;

int LogLevel(int count) {
    return count == 0 ? 0 : static_cast<int>(1000 * std::log10(count));
}

}  // namespace

std::vector<int> BuildSleepCurve(std::span<const uint16_t> minutes, int windowStart, int windowMinutes,
                                 Random& random) {
    const int available = static_cast<int>(minutes.size());
    const auto countAt = [&](int t) { return t >= 0 && t < available ? static_cast<int>(minutes[t]) : 0; };
    std::vector<int> curve(static_cast<size_t>(windowMinutes) + 1, 0);
    int runningSum = 0;
    int jitter = 0;
    for (int k = 0; k <= windowMinutes + kAveragedMinutes; ++k) {
        const int i = k - kAveragedMinutes;
        const int t = windowStart + i;
        if (t < 0) continue;  // before the month: not even a random number is drawn
        runningSum += LogLevel(countAt(t));
        if (i >= 0) runningSum -= LogLevel(countAt(t - kAveragedMinutes));
        const int r = random.Next() & 7;
        if (r > 4)
            ++jitter;
        else if (r < 3)
            --jitter;
        jitter = std::clamp(jitter, -2, 2);
        if (i >= 0) curve[i] = std::clamp(jitter + runningSum / kAveragedMinutes, 0, kSleepCurveMax);
    }
    return curve;
}

}  // namespace kiro
