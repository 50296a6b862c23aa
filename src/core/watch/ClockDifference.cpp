#include "core/watch/ClockDifference.h"

#include <algorithm>
#include <cmath>

#include "core/base/CalendarMath.h"
#include "core/base/Format.h"

namespace kiro {
namespace {

LocalTime TimeAt(const ConfigBlock& block, int offset) {
    LocalTime t;
    t.year = block[offset] + 2000;
    t.month = block[offset + 1];
    t.day = block[offset + 2];
    t.hour = block[offset + 3];
    t.minute = block[offset + 4];
    t.second = block[offset + 5];
    return t;
}

std::string TimeText(const LocalTime& t) {
    return Format("%4d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

}  // namespace

ClockDifference ComputeClockDifference(const ConfigBlock& block, const LocalTime& now, const Clock& zone) {
    ClockDifference result;
    const LocalTime watchTime = TimeAt(block, 16);
    const LocalTime lastSet = TimeAt(block, 24);
    result.currentTimeText = TimeText(now);
    result.watchTimeText = TimeText(watchTime);
    result.lastUpdateText = TimeText(lastSet);

    const int64_t nowMoment = zone.SecondsOf(now);
    const double secs = static_cast<double>(zone.SecondsOf(watchTime) - nowMoment);
    double days = static_cast<double>(nowMoment - zone.SecondsOf(lastSet)) / 86400.0;
    const bool everSet = block[24] != 0 && block[26] != 0;
    if (!everSet) {
        result.lastUpdateText.clear();
        days = 0;
    }
    const int watchTAdj = static_cast<int8_t>(block[31]);
    if (everSet && std::trunc(days) != 0) {
        result.differenceText = Format("%9.0f sec / %3.0f days", secs, days);
        // Limited as a real number first: a watch clock far off would overflow an int.
        const double corrected = watchTAdj - std::trunc(secs / days);
        result.newTAdj = static_cast<int>(std::clamp(corrected, -99.0, 99.0));
    } else {
        result.differenceText = Format("%9.0f sec", secs);
        result.newTAdj = std::clamp(watchTAdj, -99, 99);
    }
    return result;
}

}  // namespace kiro
