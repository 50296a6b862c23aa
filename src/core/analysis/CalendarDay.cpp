#include "core/analysis/CalendarDay.h"

#include "core/base/CalendarMath.h"

namespace kiro {
namespace {

bool ReadDigits(std::string_view text, int& value) {
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

}  // namespace

std::optional<CalendarDay> ParseCalendarDay(std::string_view text) {
    CalendarDay date;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    if (!ReadDigits(text.substr(0, 4), date.year) || !ReadDigits(text.substr(5, 2), date.month) ||
        !ReadDigits(text.substr(8, 2), date.day))
        return std::nullopt;
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > DaysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

}  // namespace kiro
