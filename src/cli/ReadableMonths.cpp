#include "cli/ReadableMonths.h"

#include <iostream>

#include "cli/Commands.h"
#include "core/base/CalendarMath.h"

namespace kiro::cli {
namespace {

CalendarDay DaysLater(CalendarDay date, int days) {
    LocalTime time;
    time.year = date.year;
    time.month = date.month;
    time.day = date.day;
    const LocalTime later = AddDays(time, days);
    return {later.year, later.month, later.day};
}

}  // namespace

void RequireReadableMonths(CliContext& context, CalendarDay from, CalendarDay to) {
    App& app = context.ReadingApp();
    bool unreadable = false;
    for (CalendarDay month{from.year, from.month, 1}; month <= CalendarDay{to.year, to.month, 1};
         month = FirstOfNextMonth(month)) {
        const std::string path = app.Store().MonthFilePath(month.year, month.month);
        // Opening it is enough: the read refuses anything but a regular file it may read.
        const std::error_code error = app.Files().ReadFile(path, 0, OverLimit::ReadStart).error;
        if (error && !IsMissing(error)) {
            std::cerr << "kiro: cannot read " << path << " (" << error.message()
                      << "): its steps cannot be shown\n";
            unreadable = true;
        }
    }
    if (unreadable) throw CLI::RuntimeError(kExitFailed);
}

CalendarDay WeekStart(CalendarDay date) {
    return DaysLater(date, -WeekdayOf(date.year, date.month, date.day));
}

CalendarDay WeekEnd(CalendarDay date) {
    return DaysLater(WeekStart(date), 6);
}

CalendarDay FirstOfNextMonth(CalendarDay date) {
    return date.month == 12 ? CalendarDay{date.year + 1, 1, 1} : CalendarDay{date.year, date.month + 1, 1};
}

}  // namespace kiro::cli
