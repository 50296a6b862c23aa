#include "cli/DateArgument.h"

namespace kiro::cli {
namespace {

bool IsYear(const std::string& text) {
    return text.size() == 4 && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

CLI::Validator CalendarDayValidator() {
    return CLI::Validator(
        [](const std::string& text) {
            return ParseCalendarDay(text) ? std::string() : "not an existing date YYYY-MM-DD: " + text;
        },
        "YYYY-MM-DD");
}

CLI::Validator ReportDateValidator() {
    return CLI::Validator(
        [](const std::string& text) {
            return ParseCalendarDay(text) || IsYear(text)
                       ? std::string()
                       : "not an existing date YYYY-MM-DD nor a year YYYY: " + text;
        },
        "YYYY-MM-DD|YYYY");
}

ReportDate ParseReportDate(const std::string& text, const std::string& mode) {
    if (const std::optional<CalendarDay> day = ParseCalendarDay(text)) return {day->year, day};
    if (mode != "year") throw CLI::ValidationError("DATE", "a " + mode + " needs a date YYYY-MM-DD: " + text);
    return {std::stoi(text), std::nullopt};
}

}  // namespace kiro::cli
