#include "core/analysis/GraphLayout.h"

#include <algorithm>

#include "core/base/Format.h"

namespace kiro {
namespace {

// Space around the plot before the label width widens the sides.
constexpr int kPlotTop = 10;
constexpr int kPlotBottomMargin = 25;
// The time caption stands this far right of the plot.
constexpr int kCaptionGap = 10;

void AddTimeLabels(const ChartAxes& axes, const GraphScales& scales, std::vector<GraphText>& texts) {
    const int top = axes.plot.bottom + 4;
    if (scales.timeLabels == TimeLabelStyle::WeekdayNames) {
        for (int day = 0; day < 7; ++day)
            texts.push_back({scales.weekdayNames[day], axes.LabelXOf(day), top, TextAnchor::TopCentre});
        return;
    }
    // About ten labels whatever the range.
    const std::int64_t step = std::max<std::int64_t>(WholeUnits(axes.TimeRange() * 0.1), 1);
    const std::int64_t last = WholeUnits(axes.timeUpper);
    for (std::int64_t t = WholeUnits(axes.timeLower); t <= last; t += step)
        texts.push_back({Format("%lld", static_cast<long long>(t)), axes.LabelXOf(static_cast<double>(t)),
                         top, TextAnchor::TopCentre});
}

}  // namespace

GraphGrid LayOutGraphGrid(ChartAxes& axes, const GraphScales& scales, int width, int height,
                          int timeCaptionWidth) {
    GraphGrid grid;
    PlotEdges& plot = axes.plot;
    const int labelChars = LabelWidthChars(axes.valueLower, axes.valueUpper, axes.decimals);
    plot.left = 6 * labelChars;
    plot.right = width - std::max(8 * labelChars, kCaptionGap + timeCaptionWidth + 1);
    plot.top = kPlotTop;
    plot.bottom = height - kPlotBottomMargin;
    grid.plot = plot;

    const int middle = (plot.top + plot.bottom) / 2;
    const int quarter = plot.Height() / 4;
    grid.dotRows = {middle - quarter, middle, middle + quarter};

    std::vector<GraphText>& texts = grid.texts;
    texts.push_back(
        {Format("%.*f", axes.decimals, axes.valueUpper), plot.left - 4, plot.top, TextAnchor::TopRight});
    texts.push_back({Format("%.*f", axes.decimals, axes.valueLower), plot.left - 4, plot.bottom,
                     TextAnchor::BaselineRight});
    AddTimeLabels(axes, scales, texts);
    texts.push_back({scales.timeCaption, plot.right + kCaptionGap, plot.bottom + 4, TextAnchor::TopLeft});
    texts.push_back({Format("%.1f", scales.rightUpper), plot.right + 4, plot.top, TextAnchor::TopLeft,
                     GraphInk::RightScale});
    texts.push_back({Format("%.1f", scales.rightLower), plot.right + 4, plot.bottom, TextAnchor::BaselineLeft,
                     GraphInk::RightScale});
    const int centreY = (plot.bottom + plot.top) / 2;
    texts.push_back({scales.leftCaption, plot.left / 2, centreY, TextAnchor::TopLeft, GraphInk::Grid, true});
    texts.push_back(
        {scales.rightCaption, (plot.right + width) / 2, centreY, TextAnchor::TopLeft, GraphInk::Plot, true});
    return grid;
}

}  // namespace kiro
