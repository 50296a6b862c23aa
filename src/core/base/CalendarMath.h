#pragma once
#include <cstdint>

#include "core/base/LocalTime.h"

namespace kiro {

// Calendar arithmetic on local dates and times, without time zones (the watch and the store
// know none). Leap years follow the Gregorian rule.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Days since 1970-01-01 of a civil date (negative before).
int64_t DaysFromCivil(int year, int month, int day);
// Seconds since 1970-01-01 00:00:00 of a local time, taken as if it had no zone.
int64_t ToSeconds(const LocalTime& time);
LocalTime FromSeconds(int64_t seconds);
LocalTime AddSeconds(const LocalTime& time, int64_t seconds);
LocalTime AddDays(const LocalTime& time, int days);
int WeekdayOf(int year, int month, int day);  // 0 = Sunday

}  // namespace kiro
