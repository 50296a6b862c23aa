#include "core/analysis/ReportRow.h"

#include "core/app/Format.h"

namespace kiro {

Rgb RowBackground(int rowIndex) {
    return rowIndex % 2 == 0 ? Rgb{220, 200, 255} : Rgb{220, 255, 200};
}

ReportRow MakeReportRow(int rowIndex, std::string when, int steps, const WalkFigures& figures) {
    ReportRow row;
    row.cells = {Format("   %d", rowIndex + 1),
                 std::move(when),
                 Format("%d   ", steps),
                 Format("%.2f   ", figures.cadence),
                 Format("%.3f   ", figures.distanceKm),
                 Format("%.3f   ", figures.speedKmh),
                 Format("%.3f   ", figures.calories)};
    row.background = RowBackground(rowIndex);
    return row;
}

std::string DayText(int year, int month, int day) {
    return Format("%04d/%02d/%02d", year, month, day);
}

std::string PeriodText(int year, int month, int day, int firstMinute, int lastMinute) {
    return Format("%04d/%02d/%02d %02d:%02d ~ %02d:%02d", year, month, day, firstMinute / 60,
                  firstMinute % 60, lastMinute / 60, lastMinute % 60);
}

}  // namespace kiro
