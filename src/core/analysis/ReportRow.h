#pragma once
#include <array>
#include <optional>
#include <string>

#include "core/analysis/Metrics.h"
#include "core/base/Rgb.h"
#include "generated/TextId.h"

namespace kiro {

// What a row of the list names: a day (month report), or the minutes `firstMinute` to
// `lastMinute` of a day (week and day reports).
struct RowWhen {
    int year = 0, month = 0, day = 0;
    int firstMinute = -1, lastMinute = -1;
    bool IsPeriod() const { return firstMinute >= 0; }
};

// One line of the report list: its position, what it names, its steps and figures, and the
// background of the whole row. The texts are made only when asked for: a week holds hundreds of
// rows, of which a list shows a screenful and a sort reads one column.
struct ReportRow {
    int index = 0;  // the row's position in the list, from 0
    RowWhen when;
    int steps = 0;
    WalkFigures figures;
    Rgb background;

    // Number, date or period, steps, cadence, distance, speed and calories as the list shows
    // them: numbers carry the blanks that keep them off the grid lines.
    std::string Cell(int column) const;
    std::array<std::string, 7> Cells() const;
};

inline constexpr int kWhenColumn = 1;

// The list's columns: the heading (a text of the table; none for the literal "   No"), where the
// cells stand, and the width in pixels when the page is made and after every refresh (the date
// column widens then).
struct ReportColumn {
    enum class Align { Left, Centre, Right };
    std::optional<TextId> headingText;
    Align align;
    int widthAtStart;
    int width;
};
inline constexpr ReportColumn kReportColumns[7] = {
    {std::nullopt, ReportColumn::Align::Centre, 50, 50},
    {TextId::Hours, ReportColumn::Align::Centre, 170, 180},
    {TextId::Steps, ReportColumn::Align::Right, 80, 80},
    {TextId::Cadence, ReportColumn::Align::Right, 80, 80},
    {TextId::DistanceColumn, ReportColumn::Align::Right, 80, 80},
    {TextId::SpeedColumn, ReportColumn::Align::Right, 100, 100},
    {TextId::CalorieColumn, ReportColumn::Align::Right, 80, 80},
};
inline constexpr const char* kNumberHeading = "   No";

// Rows alternate between two backgrounds by their position in the list.
Rgb RowBackground(int rowIndex);

ReportRow MakeReportRow(int rowIndex, const RowWhen& when, int steps, const WalkFigures& figures);

// "YYYY/MM/DD", the text of a month-report row.
std::string DayText(int year, int month, int day);
// "YYYY/MM/DD hh:mm ~ hh:mm", the text of a period row; the minutes count from 00:00 of the day.
std::string PeriodText(int year, int month, int day, int firstMinute, int lastMinute);

}  // namespace kiro
