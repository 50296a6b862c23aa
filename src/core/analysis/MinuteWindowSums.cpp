#include "core/analysis/MinuteWindowSums.h"

#include <cstdint>

#include "core/app/CalendarMath.h"

namespace kiro {

std::vector<int> MinuteWindowSums(const MonthBuffer& month, int year, int monthNumber, int day) {
    constexpr int kWindow = 60;
    const int monthMinutes = DaysInMonth(year, monthNumber) * kMinutesPerDay;
    // prefix[t] holds the steps of minutes 0 .. t - 1 of the month.
    std::vector<int64_t> prefix(monthMinutes + 1, 0);  // a month of counts can pass 2^31
    for (int t = 0; t < monthMinutes; ++t) prefix[t + 1] = prefix[t] + month.minutes[t];
    std::vector<int> sums(kMinutesPerDay);
    for (int m = 0; m < kMinutesPerDay; ++m) {
        int start = (day - 1) * kMinutesPerDay + m - kWindow / 2;
        if (start < 0) start = 0;
        if (start + kWindow > monthMinutes) start = monthMinutes - kWindow;
        sums[m] = static_cast<int>(prefix[start + kWindow] - prefix[start]);
    }
    return sums;
}

int RoundedAxisMaximum(int largest) {
    for (int unit : {100000, 10000, 1000, 100})
        if (largest > unit) return (largest / unit + 1) * unit;
    return 100;
}

}  // namespace kiro
