#pragma once
#include <cstdint>

#include "core/base/LocalTime.h"

namespace kiro {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
    // The local time of a moment given in seconds since 1970-01-01 00:00:00 UTC.
    virtual LocalTime LocalTimeOf(int64_t secondsSince1970) const = 0;
    // The moment of a local calendar time, in seconds since 1970-01-01 00:00:00 UTC, in this
    // machine's time zone: across a daylight-saving change, two local times are an hour more or
    // less apart than their calendars say. A time the change skips or repeats is taken as the
    // system takes it.
    virtual int64_t SecondsOf(const LocalTime& local) const = 0;
    // Milliseconds since the machine started, wrapping at 2^32 like a 32-bit tick count.
    virtual uint32_t TickCount() const = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

}  // namespace kiro
