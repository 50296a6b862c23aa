#pragma once
#include <cstdint>
#include <functional>
#include <span>

#include "core/analysis/CalendarDay.h"
#include "core/store/MonthStore.h"

namespace kiro {

// One stored minute with steps.
struct StepMinute {
    CalendarDay date;
    int minuteOfDay = 0;
    int steps = 0;
};

// Visits every stored day from `from` to `to` inclusive, in date order, with its 1440 minutes,
// reading each month file once. Months without a file and day blocks past the end of a month
// are not visited.
void ForEachStoredDay(const MonthStore& store, CalendarDay from, CalendarDay to,
                      const std::function<void(CalendarDay, std::span<const uint16_t>)>& visit);

// Visits every minute with steps from `from` to `to` inclusive, in time order. The minutes are
// walked here, in the caller's own code, rather than through a call per minute: ten years hold
// millions of them.
template <typename Visit>
void ForEachStoredMinute(const MonthStore& store, CalendarDay from, CalendarDay to, Visit&& visit) {
    ForEachStoredDay(store, from, to, [&visit](CalendarDay date, std::span<const uint16_t> minutes) {
        for (int minute = 0; minute < kMinutesPerDay; ++minute)
            if (minutes[minute] > 0) visit(StepMinute{date, minute, minutes[minute]});
    });
}

}  // namespace kiro
