#include "platform/sim/FakeClock.h"

#include "core/base/CalendarMath.h"

namespace kiro::sim {

void FakeClock::Sleep(uint32_t milliseconds) {
    ++sleepCount_;
    totalSlept_ += milliseconds;
    Advance(milliseconds);
}

LocalTime FakeClock::LocalTimeOf(int64_t secondsSince1970) const {
    return FromSeconds(secondsSince1970);
}

void FakeClock::Advance(uint32_t milliseconds) {
    tick_ += milliseconds;
    pendingMs_ += milliseconds;
    const uint32_t seconds = pendingMs_ / 1000;
    pendingMs_ %= 1000;
    if (seconds > 0) now_ = AddSeconds(now_, seconds);
}

}  // namespace kiro::sim
