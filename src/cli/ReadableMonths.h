#pragma once
#include "cli/CliContext.h"
#include "core/analysis/CalendarDay.h"

namespace kiro::cli {

// A month file that is there but cannot be read (a folder or a link in its place, a file without
// read access) would show in a report as a month without steps. Every such month from the month
// of `from` to that of `to` is named on standard error, and the command then ends with
// kExitFailed before it prints anything.
void RequireReadableMonths(CliContext& context, CalendarDay from, CalendarDay to);

// The week report's days: from the Sunday on or before `date` to the Saturday after it.
CalendarDay WeekStart(CalendarDay date);
CalendarDay WeekEnd(CalendarDay date);
// The day after the last day of `date`'s month, whose night a sleep analysis may reach into.
CalendarDay FirstOfNextMonth(CalendarDay date);

}  // namespace kiro::cli
