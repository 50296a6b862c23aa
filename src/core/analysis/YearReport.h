#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/CalendarDay.h"
#include "core/analysis/ReportGraph.h"
#include "core/analysis/ReportRow.h"

namespace kiro {

class MonthStore;
class Settings;

// One month of a year, or the whole year, from the days of the month report: steps above the
// slight-move threshold, and distance and calories added up day by day as the month report
// works them out.
struct YearPeriodFigures {
    int64_t steps = 0;
    double distanceKm = 0;
    double calories = 0;
    int activeDays = 0;  // days with a row in the month report
    // The day of most steps (the first of them), when there is one.
    std::optional<CalendarDay> bestDay;
    int bestDaySteps = 0;

    YearPeriodFigures& operator+=(const YearPeriodFigures& other);
};

// A year at a glance: the twelve months, the year, and the graph of twelve bars (steps a month,
// the calorie scale at the year's own calories per step).
struct YearReport {
    int year = 0;
    std::array<YearPeriodFigures, 12> months;
    YearPeriodFigures total;
    GraphSetup graph;
    std::vector<GraphLine> lines;
};

// Reads the twelve month files under the folder's shared lock. A folder kept busy past the wait
// gives a year without steps.
YearReport BuildYearReport(const MonthStore& store, const Settings& settings, int year);

// The list's columns in the year view: number, month, steps, distance, calories, active days,
// best day.
inline constexpr ReportColumn kYearColumns[7] = {
    {std::nullopt, ReportColumn::Align::Centre, 50, 50},
    {TextId::MonthColumn, ReportColumn::Align::Centre, 170, 180},
    {TextId::Steps, ReportColumn::Align::Right, 80, 80},
    {TextId::DistanceColumn, ReportColumn::Align::Right, 80, 80},
    {TextId::CalorieColumn, ReportColumn::Align::Right, 80, 80},
    {TextId::ActiveDaysColumn, ReportColumn::Align::Right, 100, 100},
    {TextId::BestDayColumn, ReportColumn::Align::Right, 80, 80},
};

// "YYYY/MM", the text of a month's row.
std::string MonthText(int year, int month);
// A row of the year view's list: its texts, padded as the report list pads its cells, and its
// background. Twelve rows: made whole.
struct YearListRow {
    std::array<std::string, 7> cells;
    Rgb background;
};
// The year view's list row of a month (1..12).
YearListRow YearRow(const YearReport& report, int month);

}  // namespace kiro
