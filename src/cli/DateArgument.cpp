#include "cli/DateArgument.h"

#include "core/analysis/CalendarDay.h"

namespace kiro::cli {

CLI::Validator CalendarDayValidator() {
    return CLI::Validator(
        [](const std::string& text) {
            return ParseCalendarDay(text) ? std::string() : "not an existing date YYYY-MM-DD: " + text;
        },
        "YYYY-MM-DD");
}

}  // namespace kiro::cli
