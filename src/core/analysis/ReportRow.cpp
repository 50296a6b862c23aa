#include "core/analysis/ReportRow.h"

#include "core/base/NumberText.h"

namespace kiro {

Rgb RowBackground(int rowIndex) {
    return rowIndex % 2 == 0 ? Rgb{220, 200, 255} : Rgb{220, 255, 200};
}

namespace {

std::string IntCell(const char* before, long long value, const char* after) {
    std::string cell(before);
    AppendInt(cell, value);
    cell += after;
    return cell;
}

std::string FixedCell(double value, int decimals) {
    std::string cell;
    AppendFixed(cell, value, decimals);
    cell += "   ";
    return cell;
}

// "hh:mm" of a minute of the day.
void AppendClock(std::string& out, int minuteOfDay) {
    AppendZeroPadded(out, minuteOfDay / 60, 2);
    out += ':';
    AppendZeroPadded(out, minuteOfDay % 60, 2);
}

}  // namespace

ReportRow MakeReportRow(int rowIndex, const RowWhen& when, int steps, const WalkFigures& figures) {
    return ReportRow{.index = rowIndex,
                     .when = when,
                     .steps = steps,
                     .figures = figures,
                     .background = RowBackground(rowIndex)};
}

// The cells as "   %d", "%d   ", "%.2f   " and "%.3f   " write them.
std::string ReportRow::Cell(int column) const {
    switch (column) {
        case 0:
            return IntCell("   ", index + 1, "");
        case kWhenColumn:
            return when.IsPeriod()
                       ? PeriodText(when.year, when.month, when.day, when.firstMinute, when.lastMinute)
                       : DayText(when.year, when.month, when.day);
        case 2:
            return IntCell("", steps, "   ");
        case 3:
            return FixedCell(figures.cadence, 2);
        case 4:
            return FixedCell(figures.distanceKm, 3);
        case 5:
            return FixedCell(figures.speedKmh, 3);
        case 6:
            return FixedCell(figures.calories, 3);
        default:
            return {};
    }
}

std::array<std::string, 7> ReportRow::Cells() const {
    std::array<std::string, 7> cells;
    for (int column = 0; column < 7; ++column) cells[column] = Cell(column);
    return cells;
}

// "%04d/%02d/%02d"
std::string DayText(int year, int month, int day) {
    std::string text;
    AppendZeroPadded(text, year, 4);
    text += '/';
    AppendZeroPadded(text, month, 2);
    text += '/';
    AppendZeroPadded(text, day, 2);
    return text;
}

// "%04d/%02d/%02d %02d:%02d ~ %02d:%02d"
std::string PeriodText(int year, int month, int day, int firstMinute, int lastMinute) {
    std::string text = DayText(year, month, day);
    text += ' ';
    AppendClock(text, firstMinute);
    text += " ~ ";
    AppendClock(text, lastMinute);
    return text;
}

}  // namespace kiro
