#pragma once
#include <CLI/CLI.hpp>

namespace kiro::cli {

// Accepts a date argument "YYYY-MM-DD" only when that day exists; read it with ParseCalendarDay.
CLI::Validator CalendarDayValidator();

}  // namespace kiro::cli
