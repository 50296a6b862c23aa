#pragma once
#include <vector>

#include "core/analysis/ReportGraph.h"
#include "core/analysis/ReportRow.h"

namespace kiro {

// The values of ReportMode in the settings file.
enum class ReportMode : int { Month = 0, Week = 1, Day = 2 };

// A stored mode outside 0..2 shows the month report rather than nothing.
inline ReportMode ReportModeFromSetting(int stored) {
    return stored == 1 ? ReportMode::Week : stored == 2 ? ReportMode::Day : ReportMode::Month;
}

// A built report: the list rows, the series the graph plots (hourly sums, or per-minute window
// sums in the per-minute day view), both axis tops, the graph's set-up and the lines to draw.
struct Report {
    ReportMode mode = ReportMode::Month;
    std::vector<ReportRow> rows;
    std::vector<int> series;
    int leftMax = 100;
    double rightMax = 100;
    GraphSetup graph;
    std::vector<GraphLine> lines;
};

}  // namespace kiro
