#include "core/analysis/SleepClassification.h"

#include <algorithm>

#include "core/analysis/SleepCurve.h"

namespace kiro {
namespace {

constexpr int kLookBehind = 5;
constexpr int kLookAhead = 4;
constexpr int kAwakeStretchesToGetUp = 15;

}  // namespace

SleepResult ClassifySleep(const std::vector<int>& curve) {
    const int last = static_cast<int>(curve.size()) - 1;
    const auto valueAt = [&](int i) { return i <= last ? curve[i] : 0; };
    SleepResult result;
    int awakeRun = 0;
    for (int i = kLookBehind; i <= last; ++i) {
        bool over150 = false;
        bool over500 = false;
        for (int j = i - kLookBehind; j <= i + kLookAhead; ++j) {
            over150 = over150 || valueAt(j) > kSleepThreshold;
            over500 = over500 || valueAt(j) > kAwakeThreshold;
        }
        if (over500)
            ++awakeRun;
        else if (awakeRun < kAwakeStretchesToGetUp)
            awakeRun = 0;
        if (!over150 && result.sleepStart == 0) {
            result.sleepStart = i;
            awakeRun = 0;
        }
        if (!over500 && awakeRun < kAwakeStretchesToGetUp) result.sleepEnd = i;
    }
    for (int i = result.sleepStart; i < result.sleepEnd; ++i) {
        if (curve[i] < kSleepThreshold)
            ++result.deepMinutes;
        else if (curve[i] < kAwakeThreshold)
            ++result.lightMinutes;
    }
    const int span = result.sleepEnd - result.sleepStart + 1;
    result.efficiency = std::clamp((result.deepMinutes * 100 + result.lightMinutes * 90) / span, 0, 100);
    return result;
}

}  // namespace kiro
