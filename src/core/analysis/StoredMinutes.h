#pragma once
#include <functional>

#include "core/analysis/CalendarDay.h"
#include "core/watchdisk/MonthStore.h"

namespace kiro {

// One stored minute with steps.
struct StepMinute {
    CalendarDay date;
    int minuteOfDay = 0;
    int steps = 0;
};

// Visits every minute with steps from `from` to `to` inclusive, in time order, reading each month
// file once. Day blocks past the end of a month are not visited.
void ForEachStoredMinute(const MonthStore& store, CalendarDay from, CalendarDay to,
                         const std::function<void(const StepMinute&)>& visit);

}  // namespace kiro
