#pragma once

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

}  // namespace kiro
