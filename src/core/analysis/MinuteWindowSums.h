#pragma once
#include <vector>

#include "core/store/MonthStore.h"

namespace kiro {

// For each minute of a day, the raw steps of the hour around it (30 minutes before to 29 after),
// so that the per-minute graph reads in steps per hour like the hourly one. Near the ends of the
// month the window stays whole: the first 60 minutes of the month, or its last 60.
std::vector<int> MinuteWindowSums(const MonthBuffer& month, int year, int monthNumber, int day);

// The axis top for a largest value: the next multiple above it of the largest power of ten
// (100 to 100000) that it passes; 100 for values up to 100.
int RoundedAxisMaximum(int largest);

}  // namespace kiro
