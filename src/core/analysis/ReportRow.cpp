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

// The cells as "   %d", "%d   ", "%.2f   " and "%.3f   " write them.
ReportRow MakeReportRow(int rowIndex, std::string when, int steps, const WalkFigures& figures) {
    ReportRow row;
    row.cells = {IntCell("   ", rowIndex + 1, ""), std::move(when),
                 IntCell("", steps, "   "),        FixedCell(figures.cadence, 2),
                 FixedCell(figures.distanceKm, 3), FixedCell(figures.speedKmh, 3),
                 FixedCell(figures.calories, 3)};
    row.background = RowBackground(rowIndex);
    return row;
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
