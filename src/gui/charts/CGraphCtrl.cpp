#include "gui/charts/CGraphCtrl.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace kiro::gui {
namespace {
// Space around the plot before the label width widens the sides.
constexpr int kPlotTop = 10;
constexpr int kPlotBottomMargin = 25;
// Spacing of the dots on the three grid rows.
constexpr int kDotSpacing = 4;
// The time caption stands this far right of the plot.
constexpr int kCaptionGap = 10;
}  // namespace

CGraphCtrl::CGraphCtrl(QWidget* parent) : LayeredChart(parent) {
    RedrawGrid();
}

void CGraphCtrl::SetValueRange(double lower, double upper, double rightLower, double rightUpper,
                               int decimals) {
    Axes().valueLower = lower;
    Axes().valueUpper = upper;
    Axes().decimals = decimals;
    rightLower_ = rightLower;
    rightUpper_ = rightUpper;
    RedrawGrid();
}

void CGraphCtrl::SetTimeRange(double lower, double upper, TimeLabels labels) {
    Axes().timeLower = lower;
    Axes().timeUpper = upper;
    timeLabels_ = labels;
    RedrawGrid();
}

void CGraphCtrl::SetWeekdayNames(const std::array<QString, 7>& names) {
    weekdayNames_ = names;
    RedrawGrid();
}

void CGraphCtrl::SetXCaption(const QString& caption) {
    timeCaption_ = caption;
    RedrawGrid();
}

void CGraphCtrl::SetYCaptions(const QString& left, const QString& right) {
    leftCaption_ = left;
    rightCaption_ = right;
    RedrawGrid();
}

void CGraphCtrl::SetAxisColor(const QColor& colour) {
    gridColour_ = colour;
    RedrawGrid();
}

void CGraphCtrl::SetLineColor(const QColor& colour, bool redraw) {
    plotColour_ = colour;
    if (redraw) RedrawGrid();
}

void CGraphCtrl::SetBackColor(const QColor& colour) {
    SetBackground(colour);
    RedrawGrid();
}

void CGraphCtrl::DrawSegment(double time1, double value1, double time2, double value2) {
    const ChartAxes& axes = Axes();
    DrawLineWithoutEnd({axes.XOf(time1), axes.YOf(value1)}, {axes.XOf(time2), axes.YOf(value2)}, plotColour_);
}

void CGraphCtrl::DrawGrid(QPainter& painter, QSize client) {
    ChartAxes& axes = Axes();
    PlotEdges& plot = axes.plot;
    // The side margins make room for the widest left label (6 pixels per character) and the
    // right labels and caption (8 pixels per character); a time caption wider than that takes
    // the room it needs from the plot, rather than be cut at the edge.
    const int labelChars = LabelWidthChars(axes.valueLower, axes.valueUpper, axes.decimals);
    const int captionWidth = QFontMetrics(painter.font()).horizontalAdvance(timeCaption_);
    plot.left = 6 * labelChars;
    plot.right = client.width() - std::max(8 * labelChars, kCaptionGap + captionWidth + 1);
    plot.top = kPlotTop;
    plot.bottom = client.height() - kPlotBottomMargin;

    painter.setPen(QPen(gridColour_, 0));
    const QPoint frame[] = {{plot.left, plot.top},
                            {plot.right + 1, plot.top},
                            {plot.right + 1, plot.bottom + 1},
                            {plot.left, plot.bottom + 1},
                            {plot.left, plot.top}};
    painter.drawPolyline(frame, 5);

    const int middle = (plot.top + plot.bottom) / 2;
    const int quarter = plot.Height() / 4;
    for (int row : {middle - quarter, middle, middle + quarter}) {
        for (int x = plot.left; x < plot.right; x += kDotSpacing) painter.drawPoint(x, row);
    }

    DrawLabel(painter, QString::asprintf("%.*f", axes.decimals, axes.valueUpper), {plot.left - 4, plot.top},
              LabelAnchor::TopRight, gridColour_);
    DrawLabel(painter, QString::asprintf("%.*f", axes.decimals, axes.valueLower),
              {plot.left - 4, plot.bottom}, LabelAnchor::BaselineRight, gridColour_);
    DrawTimeLabels(painter);
    DrawLabel(painter, timeCaption_, {plot.right + kCaptionGap, plot.bottom + 4}, LabelAnchor::TopLeft,
              gridColour_);
    DrawLabel(painter, QString::asprintf("%.1f", rightUpper_), {plot.right + 4, plot.top},
              LabelAnchor::TopLeft, rightLabelColour_);
    DrawLabel(painter, QString::asprintf("%.1f", rightLower_), {plot.right + 4, plot.bottom},
              LabelAnchor::BaselineLeft, rightLabelColour_);

    const int centreY = (plot.bottom + plot.top) / 2;
    DrawRotatedLabel(painter, leftCaption_, {plot.left / 2, centreY}, gridColour_);
    DrawRotatedLabel(painter, rightCaption_, {(plot.right + client.width()) / 2, centreY}, plotColour_);
}

void CGraphCtrl::DrawTimeLabels(QPainter& painter) {
    const ChartAxes& axes = Axes();
    const int top = axes.plot.bottom + 4;
    if (timeLabels_ == TimeLabels::Weekdays) {
        for (int day = 0; day < 7; ++day) {
            DrawLabel(painter, weekdayNames_[day], {axes.LabelXOf(day), top}, LabelAnchor::TopCentre,
                      gridColour_);
        }
        return;
    }
    // About ten labels whatever the range.
    const std::int64_t step = std::max<std::int64_t>(WholeUnits(axes.TimeRange() * 0.1), 1);
    const std::int64_t last = WholeUnits(axes.timeUpper);
    for (std::int64_t t = WholeUnits(axes.timeLower); t <= last; t += step) {
        DrawLabel(painter, QString::number(t), {axes.LabelXOf(static_cast<double>(t)), top},
                  LabelAnchor::TopCentre, gridColour_);
    }
}

}  // namespace kiro::gui
