#include "core/analysis/ReportRowDeletion.h"

#include <cstdio>

#include "core/app/App.h"
#include "core/base/CalendarMath.h"
#include "core/base/Format.h"
#include "core/system/Host.h"

namespace kiro {
namespace {

bool IsTimeOfDay(int hour, int minute) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60;
}

}  // namespace

std::optional<RowMinutes> ParseRowMinutes(ReportMode mode, const std::string& whenText) {
    RowMinutes row;
    int startHour = 0, startMinute = 0, endHour = 23, endMinute = 59;
    int consumed = -1;
    const char* text = whenText.c_str();
    // %n is reached only when everything before it matched, so a partial match leaves it at -1
    // and the count sscanf returns adds nothing.
    if (mode == ReportMode::Month)
        (void)std::sscanf(text, "%d/%d/%d%n", &row.year, &row.month, &row.day, &consumed);
    else
        (void)std::sscanf(text, "%d/%d/%d %d:%d ~ %d:%d%n", &row.year, &row.month, &row.day, &startHour,
                          &startMinute, &endHour, &endMinute, &consumed);
    if (consumed < 0 || static_cast<size_t>(consumed) != whenText.size()) return std::nullopt;
    if (row.month < 1 || row.month > 12 || row.day < 1 || row.day > DaysInMonth(row.year, row.month))
        return std::nullopt;
    if (!IsTimeOfDay(startHour, startMinute) || !IsTimeOfDay(endHour, endMinute)) return std::nullopt;
    row.firstMinute = startHour * 60 + startMinute;
    row.lastMinute = endHour * 60 + endMinute;
    if (row.lastMinute < row.firstMinute) return std::nullopt;
    return row;
}

DeleteOutcome DeleteReportRow(const App& app, Host& host, ReportMode mode, int rowIndex,
                              const std::string& whenText) {
    if (rowIndex < 0) return DeleteOutcome::NothingSelected;
    if (app.Config().Values().autoConfirm == 0 &&
        !host.AskQuestion(app.GetLangText(TextId::Report),
                          Format("Item-%d, %s", rowIndex + 1, app.GetLangText(TextId::ConfirmDelete))))
        return DeleteOutcome::Declined;
    const std::optional<RowMinutes> row = ParseRowMinutes(mode, whenText);
    if (!row) return DeleteOutcome::NotARow;
    const std::error_code error =
        app.Store().ClearRange(row->year, row->month, row->day, row->firstMinute / 60, row->firstMinute % 60,
                               row->lastMinute / 60, row->lastMinute % 60);
    if (!error) return DeleteOutcome::Cleared;
    host.SetStatusText(FormatText(app.GetLangText(TextId::FolderNotUpdated), error.message().c_str()));
    return DeleteOutcome::SaveFailed;
}

}  // namespace kiro
