#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/analysis/CalendarDay.h"
#include "core/store/MonthStore.h"

namespace kiro {

// A second estimate of one night's sleep, shown beside the sleep curve's own times. Every quiet
// minute of the evening-to-noon window scores +1 and every minute with steps scores
// -(penalty + steps); sleep is the contiguous stretch with the largest total, so a short stir in
// the night stays inside it while an evening of sitting still is outweighed by the walk to bed.

// The window runs from 18:00 of the night's date to 12:00 of the next day.
inline constexpr int kEstimateWindowStartMinute = 18 * 60;
inline constexpr int kEstimateWindowMinutes = 18 * 60;
// The penalty of a minute with steps, chosen on the evaluation's tuning people.
inline constexpr int kSleepStepPenalty = 10;
// A stretch shorter than this is a rest, not a night's sleep.
inline constexpr int kShortestEstimatedSleep = 60;
// A window minute the store holds nothing for.
inline constexpr int kNoStepData = -1;

// First and last minute asleep, as offsets into the window.
struct SleepInterval {
    int first = 0;
    int last = 0;

    friend bool operator==(const SleepInterval&, const SleepInterval&) = default;
};

// The stretch of the window (step counts, kNoStepData where unknown) with the largest score. A
// stretch never contains a minute without data, and one that touches such a minute has an
// unknown end: there is no interval then, nor when the best stretch is shorter than the
// shortest sleep. Of two stretches with the same score the earlier wins: the night's sleep over a
// nap in the morning after, and the shorter of two ends that score alike.
std::optional<SleepInterval> FindSleepInterval(std::span<const int32_t> window,
                                               int penalty = kSleepStepPenalty);

// The estimate in minutes after 00:00 of the night's date; wake is the last minute asleep.
struct SleepEstimate {
    int bedMinute = 0;
    int wakeMinute = 0;

    friend bool operator==(const SleepEstimate&, const SleepEstimate&) = default;
};

// The window of a night from the minutes of its date and of the next day. The store has no mark
// for an hour the watch did not record, so a day from a month without a readable file, or a day
// without a single step, counts as no data.
using EstimateWindow = std::array<int32_t, kEstimateWindowMinutes>;
struct StoredDay {
    std::span<const uint16_t> minutes;  // 1440
    bool fileRead = false;
};
EstimateWindow EstimateWindowOf(StoredDay nightDate, StoredDay nextDay);
// The same, read from the store (the next day may lie in the next month or year).
EstimateWindow ReadEstimateWindow(const MonthStore& store, CalendarDay night);

std::optional<SleepEstimate> EstimateSleep(std::span<const int32_t> window, int penalty = kSleepStepPenalty);
std::optional<SleepEstimate> EstimateSleep(const MonthStore& store, CalendarDay night);

}  // namespace kiro
