#include "core/analysis/SleepWindow.h"

#include <algorithm>

#include "core/base/CalendarMath.h"

namespace kiro {
namespace {

int DaysOf(const SleepPosition& p) {
    return DaysInMonth(p.year, p.month);
}

}  // namespace

SleepWindowHours CorrectSleepWindow(SleepWindowHours hours) {
    hours.startHour = std::clamp(hours.startHour, 0, 47);
    hours.endHour = std::clamp(hours.endHour, 1, 48);
    // An empty window (end equal to start) would leave nothing to analyse.
    if (hours.endHour <= hours.startHour) hours.endHour = hours.startHour + 1;
    return hours;
}

bool StartEarlier(SleepPosition& p) {
    if (p.startHour > 0) {
        --p.startHour;
        return true;
    }
    if (p.day <= 1) return false;
    --p.day;
    p.startHour = 23;
    // The old end no longer lies after 23:00 of the new day: fall back to the morning after.
    if (p.endHour <= 23) p.endHour = 33;
    return true;
}

bool StartLater(SleepPosition& p) {
    SleepPosition moved = p;
    if (moved.startHour < 23) {
        ++moved.startHour;
    } else {
        // The new start lies in the next day (the next month after the last day): count the
        // hours from that day's midnight, which keeps the night where it was.
        if (moved.day < DaysOf(moved)) {
            ++moved.day;
        } else {
            moved.day = 1;
            if (++moved.month > 12) {
                moved.month = 1;
                ++moved.year;
            }
        }
        moved.startHour = moved.startHour + 1 - 24;
        moved.endHour -= 24;
    }
    if (moved.startHour >= moved.endHour - 1) return false;
    p = moved;
    return true;
}

bool EndEarlier(SleepPosition& p) {
    if (p.endHour == 0 || p.endHour <= p.startHour + 1) return false;
    --p.endHour;
    return true;
}

bool EndLater(SleepPosition& p) {
    if (p.endHour < 48) {
        ++p.endHour;
        return true;
    }
    if (p.day + 1 >= DaysOf(p)) return false;
    ++p.day;
    return true;
}

bool PreviousDay(SleepPosition& p) {
    if (p.day <= 1) return false;
    --p.day;
    return true;
}

bool NextDay(SleepPosition& p) {
    if (p.day + (p.endHour - 1) / 24 >= DaysOf(p)) return false;
    ++p.day;
    return true;
}

}  // namespace kiro
