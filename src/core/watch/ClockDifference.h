#pragma once
#include <string>

#include "core/system/Clock.h"
#include "core/watch/ConfigBlock.h"

namespace kiro {

// How far a watch's clock has drifted since it was last set, and the rate correction that
// follows from it.
struct ClockDifference {
    std::string currentTimeText;  // the PC's local time
    std::string watchTimeText;    // the watch's clock, bytes 16..21
    std::string lastUpdateText;   // the last clock set, bytes 24..29; empty when never set
    std::string differenceText;   // "%9.0f sec / %3.0f days" or "%9.0f sec"
    int newTAdj = 0;              // limited to -99..99
};

// The times are local times; `zone` turns them into moments, so that a daylight-saving change
// between the last set and now counts as the hour it is.
ClockDifference ComputeClockDifference(const ConfigBlock& block, const LocalTime& now, const Clock& zone);

}  // namespace kiro
