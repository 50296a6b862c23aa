#pragma once
#include "core/system/Clock.h"

namespace kiro::win32_platform {

// Local time from the system's time zone settings, the tick count of GetTickCount
// (milliseconds since the machine started, wrapping at 2^32).
class Win32Clock final : public Clock {
  public:
    LocalTime Now() const override;
    LocalTime LocalTimeOf(int64_t secondsSince1970) const override;
    int64_t SecondsOf(const LocalTime& local) const override;
    uint32_t TickCount() const override;
    void Sleep(uint32_t milliseconds) override;
};

}  // namespace kiro::win32_platform
