#pragma once
#include <cstdint>

namespace kiro {

// A moment of local calendar time in whole seconds. The watch and the store know no time
// zone: every time the program handles is local clock time.
struct LocalTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 6;  // 0 = Sunday .. 6 = Saturday
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
    // The local time of a moment given in seconds since 1970-01-01 00:00:00 UTC.
    virtual LocalTime LocalTimeOf(int64_t secondsSince1970) const = 0;
    // Milliseconds since the machine started, wrapping at 2^32 like a 32-bit tick count.
    virtual uint32_t TickCount() const = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

}  // namespace kiro
