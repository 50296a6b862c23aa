#include "core/analysis/SleepEstimate.h"

#include <algorithm>

#include "core/base/CalendarMath.h"

namespace kiro {

std::optional<SleepInterval> FindSleepInterval(std::span<const int32_t> window, int penalty) {
    const int size = static_cast<int>(window.size());
    // Kadane's search: the best stretch ending at each minute either extends the one before or
    // starts afresh when that one has nothing left to give.
    int64_t best = 0;
    std::optional<SleepInterval> found;
    int64_t running = 0;
    int start = 0;
    for (int i = 0; i < size; ++i) {
        const int32_t steps = window[i];
        if (steps < 0) {
            running = 0;
            start = i + 1;
            continue;
        }
        if (running <= 0) {
            running = 0;
            start = i;
        }
        running += steps == 0 ? 1 : -(static_cast<int64_t>(penalty) + steps);
        if (running > best) {
            best = running;
            found = SleepInterval{start, i};
        }
    }
    if (!found) return std::nullopt;
    const bool touchesNoData = (found->first > 0 && window[found->first - 1] < 0) ||
                               (found->last + 1 < size && window[found->last + 1] < 0);
    if (touchesNoData || found->last - found->first + 1 < kShortestEstimatedSleep) return std::nullopt;
    return found;
}

namespace {

// Copies one day's minutes from `firstMinute` on into the window, or marks them unknown.
int CopyDay(StoredDay day, int firstMinute, std::span<int32_t> into) {
    const bool recorded =
        day.fileRead && std::any_of(day.minutes.begin(), day.minutes.end(), [](uint16_t n) { return n > 0; });
    const int count = std::min(kMinutesPerDay - firstMinute, static_cast<int>(into.size()));
    for (int m = 0; m < count; ++m)
        into[m] = recorded ? static_cast<int32_t>(day.minutes[firstMinute + m]) : kNoStepData;
    return count;
}

StoredDay DayOf(const LoadedMonth& month, int day) {
    return {std::span(month.buffer.minutes)
                .subspan(static_cast<size_t>(day - 1) * kMinutesPerDay, kMinutesPerDay),
            month.found && !month.error};
}

}  // namespace

EstimateWindow EstimateWindowOf(StoredDay nightDate, StoredDay nextDay) {
    EstimateWindow window{};
    const int evening = CopyDay(nightDate, kEstimateWindowStartMinute, window);
    CopyDay(nextDay, 0, std::span(window).subspan(static_cast<size_t>(evening)));
    return window;
}

EstimateWindow ReadEstimateWindow(const MonthStore& store, CalendarDay night) {
    const LocalTime next = AddDays(LocalTime{night.year, night.month, night.day, 0, 0, 0}, 1);
    const LoadedMonth first = store.LoadMonth(night.year, night.month);
    if (next.month == night.month) return EstimateWindowOf(DayOf(first, night.day), DayOf(first, next.day));
    const LoadedMonth second = store.LoadMonth(next.year, next.month);
    return EstimateWindowOf(DayOf(first, night.day), DayOf(second, next.day));
}

std::optional<SleepEstimate> EstimateSleep(std::span<const int32_t> window, int penalty) {
    const std::optional<SleepInterval> interval = FindSleepInterval(window, penalty);
    if (!interval) return std::nullopt;
    return SleepEstimate{kEstimateWindowStartMinute + interval->first,
                         kEstimateWindowStartMinute + interval->last};
}

std::optional<SleepEstimate> EstimateSleep(const MonthStore& store, CalendarDay night) {
    return EstimateSleep(ReadEstimateWindow(store, night));
}

}  // namespace kiro
