#pragma once
#include <compare>
#include <optional>
#include <string_view>

namespace kiro {

struct CalendarDay {
    int year = 0;
    int month = 0;
    int day = 0;

    auto operator<=>(const CalendarDay&) const = default;
};

// A date written "YYYY-MM-DD" (four-digit year), only when that day exists.
std::optional<CalendarDay> ParseCalendarDay(std::string_view text);

}  // namespace kiro
