#include "core/analysis/MinuteWindowSums.h"

#include <algorithm>
#include <cstdint>

#include "core/base/CalendarMath.h"

namespace kiro {

std::vector<int> MinuteWindowSums(const MonthBuffer& month, int year, int monthNumber, int day) {
    constexpr int kWindow = 60;
    const int monthMinutes = DaysInMonth(year, monthNumber) * kMinutesPerDay;
    const int dayStart = (day - 1) * kMinutesPerDay;
    // The windows of the day's minutes lie within half a window of the day (a window pushed back
    // from the month's end starts inside the day).
    const int first = std::max(0, dayStart - kWindow / 2);
    const int end = std::min(monthMinutes, dayStart + kMinutesPerDay + kWindow / 2);
    // prefix[t] holds the steps of minutes first .. first + t - 1 of the month.
    std::vector<int64_t> prefix(static_cast<size_t>(end - first) + 1, 0);  // the sums can pass 2^31
    for (int t = first; t < end; ++t) prefix[t - first + 1] = prefix[t - first] + month.minutes[t];
    std::vector<int> sums(kMinutesPerDay);
    for (int m = 0; m < kMinutesPerDay; ++m) {
        int start = dayStart + m - kWindow / 2;
        if (start < 0) start = 0;
        if (start + kWindow > monthMinutes) start = monthMinutes - kWindow;
        sums[m] = static_cast<int>(prefix[start + kWindow - first] - prefix[start - first]);
    }
    return sums;
}

int RoundedAxisMaximum(int largest) {
    for (int unit : {100000, 10000, 1000, 100})
        if (largest > unit) return (largest / unit + 1) * unit;
    return 100;
}

}  // namespace kiro
