#pragma once
#include <cstdint>

#include "core/system/Clock.h"

namespace kiro::sim {

// A clock that stands still until told to move. Sleeping advances it at once and is counted,
// so waits in the program cost no real time under test.
class FakeClock final : public Clock {
  public:
    explicit FakeClock(const LocalTime& now = {2014, 5, 5, 10, 0, 0, 1}, uint32_t tick = 100000)
        : now_(now), tick_(tick) {}

    LocalTime Now() const override { return now_; }
    // A machine whose local time is UTC, or an hour ahead of it during the daylight-saving
    // period given to SetDaylightSaving.
    LocalTime LocalTimeOf(int64_t secondsSince1970) const override;
    int64_t SecondsOf(const LocalTime& local) const override;
    uint32_t TickCount() const override { return tick_; }
    void Sleep(uint32_t milliseconds) override;

    void SetNow(const LocalTime& now) { now_ = now; }
    void SetTick(uint32_t tick) { tick_ = tick; }
    // Local times from `start` (when clocks go forward an hour) to `end` (when they go back) are
    // an hour ahead of UTC.
    void SetDaylightSaving(const LocalTime& start, const LocalTime& end);
    // Moves both the calendar time and the tick count forward.
    void Advance(uint32_t milliseconds);

    int SleepCount() const { return sleepCount_; }
    uint64_t TotalSlept() const { return totalSlept_; }

  private:
    LocalTime now_;
    uint32_t tick_;
    // Moments in UTC seconds; an empty period without daylight saving.
    int64_t daylightFrom_ = 0;
    int64_t daylightTo_ = 0;
    uint32_t pendingMs_ = 0;
    int sleepCount_ = 0;
    uint64_t totalSlept_ = 0;
};

}  // namespace kiro::sim
