#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/analysis/GraphLayout.h"
#include "core/analysis/ReportGraph.h"

namespace kiro {

// The size of the window's report graph, the size a picture of it has unless asked otherwise.
inline constexpr int kGraphPictureWidth = 665;
inline constexpr int kGraphPictureHeight = 213;

// A graph to draw as a picture, as the window's graph is configured: ranges, scales and captions,
// colours, and the lines in axis units.
struct GraphPicture {
    ChartAxes axes;
    GraphScales scales;
    Rgb background{0, 0, 64};
    Rgb grid{192, 192, 255};
    Rgb plot{200, 50, 50};
    std::vector<GraphLine> lines;
};

// The picture of a report's graph; `utf8Text` gives a text of the table in UTF-8, for the
// captions and the weekday names.
GraphPicture ReportGraphPicture(const GraphSetup& setup, const std::vector<GraphLine>& lines,
                                const std::function<std::string(TextId)>& utf8Text);

// The picture as SVG, width x height pixels: the grid and lines where the window draws them, to
// the pixel, in its colours and font. The lines of each whole time unit (a day of the month, an
// hour of the day, a month of the year) form a group, marked "steps" when a point of it in that
// unit stands above the zero line.
std::string GraphSvg(GraphPicture picture, int width, int height);

}  // namespace kiro
