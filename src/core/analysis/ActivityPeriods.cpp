#include "core/analysis/ActivityPeriods.h"

#include "core/analysis/Metrics.h"

namespace kiro {

std::vector<ActivityPeriod> FindActivityPeriods(std::span<const uint16_t> minutes, int slightMoving) {
    std::vector<ActivityPeriod> periods;
    bool running = false;
    ActivityPeriod current;
    const int count = static_cast<int>(minutes.size());
    for (int m = 0; m < count; ++m) {
        const int steps = FilteredCount(minutes[m], slightMoving);
        if (steps > 0) {
            if (!running) {
                current = ActivityPeriod{m, m, 0};
                running = true;
            }
            current.last = m;
            current.steps += steps;
        } else if (running) {
            periods.push_back(current);
            running = false;
        }
    }
    if (running) periods.push_back(current);
    return periods;
}

}  // namespace kiro
