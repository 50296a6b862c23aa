#pragma once
#include "core/system/Clock.h"

namespace kiro::linux_platform {

// Local time from the C library, tick count from the boot-time clock (milliseconds since the
// machine started, counting suspended time, wrapping at 2^32).
class LinuxClock final : public Clock {
  public:
    LocalTime Now() const override;
    LocalTime LocalTimeOf(int64_t secondsSince1970) const override;
    int64_t SecondsOf(const LocalTime& local) const override;
    uint32_t TickCount() const override;
    void Sleep(uint32_t milliseconds) override;
};

}  // namespace kiro::linux_platform
