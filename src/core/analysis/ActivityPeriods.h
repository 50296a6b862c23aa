#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace kiro {

// A run of consecutive active minutes: minute indices into the range that was searched.
struct ActivityPeriod {
    int first = 0;
    int last = 0;
    int steps = 0;  // sum of the filtered counts

    friend bool operator==(const ActivityPeriod&, const ActivityPeriod&) = default;
};

// The activity periods of a range of minutes, in time order. A minute at or below the slight-move
// threshold ends a running period; a period still running at the end of the range ends there.
std::vector<ActivityPeriod> FindActivityPeriods(std::span<const uint16_t> minutes, int slightMoving);

}  // namespace kiro
