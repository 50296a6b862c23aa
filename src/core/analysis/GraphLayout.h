#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/analysis/ChartAxes.h"
#include "core/analysis/ReportGraph.h"
#include "core/base/Rgb.h"

namespace kiro {

// Where a text's anchor sits on the text.
enum class TextAnchor { TopLeft, TopRight, TopCentre, BaselineLeft, BaselineRight };

// Which colour of the graph a text takes.
enum class GraphInk { Grid, Plot, RightScale };

// The labels of the right scale keep a colour of their own, whatever the graph's colours.
inline constexpr Rgb kRightScaleInk{200, 100, 100};

// What the line graph shows besides its ranges: the right scale, the kind of time labels, and
// the captions (UTF-8).
struct GraphScales {
    double rightLower = 0;
    double rightUpper = 100;
    TimeLabelStyle timeLabels = TimeLabelStyle::Numbers;
    // Written under times 0..6 with TimeLabelStyle::WeekdayNames, Sunday first.
    std::array<std::string, 7> weekdayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string timeCaption = "Samples";
    std::string leftCaption = "Y units";
    std::string rightCaption = "Y units";
};

// A text of the graph's grid: written at its anchor point, or turned to read upwards and centred
// on its baseline there.
struct GraphText {
    std::string text;
    int x = 0;
    int y = 0;
    TextAnchor anchor = TextAnchor::TopLeft;
    GraphInk ink = GraphInk::Grid;
    bool upwards = false;
};

// The fixed content of the line graph for one client size, the same for the window and for a
// picture: the plot's frame (one pixel outside its right and bottom edges), three rows of dots
// across it, and the texts of the scales and captions.
struct GraphGrid {
    PlotEdges plot;
    std::array<int, 3> dotRows{};
    int dotSpacing = 4;
    std::vector<GraphText> texts;
};

// Lays the grid out for a client of width x height pixels and sets the plot edges of `axes`.
// The side margins make room for the widest left label (6 pixels per character) and the right
// labels and caption (8 pixels per character); a time caption wider than that (`timeCaptionWidth`
// pixels, as the font measures it) takes the room it needs from the plot, rather than be cut at
// the edge.
GraphGrid LayOutGraphGrid(ChartAxes& axes, const GraphScales& scales, int width, int height,
                          int timeCaptionWidth);

}  // namespace kiro
