#pragma once
#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/analysis/CalendarDay.h"

namespace kiro::cli {

// Accepts a date argument "YYYY-MM-DD" only when that day exists; read it with ParseCalendarDay.
CLI::Validator CalendarDayValidator();

// The date of a report or picture: a day, or for a year the year alone ("YYYY") will do.
struct ReportDate {
    int year = 0;
    std::optional<CalendarDay> day;
};
// Accepts "YYYY-MM-DD" when that day exists, and "YYYY".
CLI::Validator ReportDateValidator();
// A text the validator accepted; a year alone where `mode` needs a day is a validation error.
ReportDate ParseReportDate(const std::string& text, const std::string& mode);

}  // namespace kiro::cli
