#include "core/analysis/StoredMinutes.h"

#include <algorithm>

#include "core/base/CalendarMath.h"

namespace kiro {

void ForEachStoredDay(const MonthStore& store, CalendarDay from, CalendarDay to,
                      const std::function<void(CalendarDay, std::span<const uint16_t>)>& visit) {
    int year = from.year;
    int month = from.month;
    while (CalendarDay{year, month, 1} <= to) {
        const LoadedMonth loaded = store.LoadMonth(year, month);
        if (loaded.found) {
            const int firstDay = (year == from.year && month == from.month) ? std::max(from.day, 1) : 1;
            int lastDay = DaysInMonth(year, month);
            if (year == to.year && month == to.month) lastDay = std::min(lastDay, to.day);
            for (int day = firstDay; day <= lastDay; ++day)
                visit({year, month, day},
                      std::span(loaded.buffer.minutes)
                          .subspan(static_cast<size_t>(day - 1) * kMinutesPerDay, kMinutesPerDay));
        }
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

}  // namespace kiro
