#include "platform/sim/FakeClock.h"

#include "core/base/CalendarMath.h"

namespace kiro::sim {

void FakeClock::Sleep(uint32_t milliseconds) {
    ++sleepCount_;
    totalSlept_ += milliseconds;
    Advance(milliseconds);
}

namespace {
constexpr int64_t kDaylightShift = 3600;
}  // namespace

LocalTime FakeClock::LocalTimeOf(int64_t secondsSince1970) const {
    const bool daylight = secondsSince1970 >= daylightFrom_ && secondsSince1970 < daylightTo_;
    return FromSeconds(secondsSince1970 + (daylight ? kDaylightShift : 0));
}

int64_t FakeClock::SecondsOf(const LocalTime& local) const {
    // A local time read as standard time; within the period it was an hour ahead.
    const int64_t standard = ToSeconds(local);
    const bool daylight =
        standard - kDaylightShift >= daylightFrom_ && standard - kDaylightShift < daylightTo_;
    return daylight ? standard - kDaylightShift : standard;
}

void FakeClock::SetDaylightSaving(const LocalTime& start, const LocalTime& end) {
    // Clocks go forward at `start` standard time and back at `end` daylight time.
    daylightFrom_ = ToSeconds(start);
    daylightTo_ = ToSeconds(end) - kDaylightShift;
}

void FakeClock::Advance(uint32_t milliseconds) {
    tick_ += milliseconds;
    pendingMs_ += milliseconds;
    const uint32_t seconds = pendingMs_ / 1000;
    pendingMs_ %= 1000;
    if (seconds > 0) now_ = AddSeconds(now_, seconds);
}

}  // namespace kiro::sim
