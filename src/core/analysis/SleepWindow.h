#pragma once
#include "core/app/Settings.h"

namespace kiro {

// The night being analysed: a day and a window of hours counted from 00:00 of that day
// (StartHour 20 and EndHour 33 are 20:00 to 09:00 the next morning).
struct SleepPosition {
    int year = 2000;
    int month = 1;
    int day = 1;
    int startHour = 20;
    int endHour = 33;

    int WindowMinutes() const { return (endHour - startHour) * 60; }
    friend bool operator==(const SleepPosition&, const SleepPosition&) = default;
};

// Brings hours read from the settings into range: StartHour 0..47, EndHour 1..48 and after
// StartHour.
SleepWindowHours CorrectSleepWindow(SleepWindowHours hours);

// The six arrows of the sleep view. Each returns whether it moved the night; one that cannot
// move leaves the position as it was.
bool StartEarlier(SleepPosition& position);
bool StartLater(SleepPosition& position);
bool EndEarlier(SleepPosition& position);
bool EndLater(SleepPosition& position);
bool PreviousDay(SleepPosition& position);
bool NextDay(SleepPosition& position);

}  // namespace kiro
