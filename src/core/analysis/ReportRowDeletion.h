#pragma once
#include <optional>
#include <string>

#include "core/analysis/Report.h"

namespace kiro {

class App;
class Host;

// The minutes a report row stands for: one day, from firstMinute to lastMinute inclusive.
struct RowMinutes {
    int year = 0;
    int month = 0;
    int day = 0;
    int firstMinute = 0;
    int lastMinute = 0;

    friend bool operator==(const RowMinutes&, const RowMinutes&) = default;
};

// Reads the date or period column of a row: "YYYY/MM/DD" in the month report (the whole day),
// "YYYY/MM/DD hh:mm ~ hh:mm" otherwise. Text that is not such a row, or names a time that does
// not exist or ends before it starts, gives nothing.
std::optional<RowMinutes> ParseRowMinutes(ReportMode mode, const std::string& whenText);

enum class DeleteOutcome { NothingSelected, Declined, NotARow, Cleared, SaveFailed };

// Deletes the steps of a report row from the store, after asking unless AutoConfirm is on; a
// deletion that cannot be written says why in the status line.
// `rowIndex` is the selected row (negative: none) and `whenText` its date or period column.
DeleteOutcome DeleteReportRow(const App& app, Host& host, ReportMode mode, int rowIndex,
                              const std::string& whenText);

}  // namespace kiro
