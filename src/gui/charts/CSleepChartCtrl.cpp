#include "gui/charts/CSleepChartCtrl.h"

#include <QPainter>
#include <algorithm>

namespace kiro::gui {
namespace {
constexpr int kPlotTop = 70;
constexpr int kPlotBottomMargin = 35;
// Legend boxes: this high, this far below the client top.
constexpr int kLegendTop = 20;
constexpr int kLegendHeight = 16;
constexpr int kLegendGap = 4;

// The bands of the sleep analysis: awake from 500 up, sleep from 150 up, deep sleep below.
constexpr QRgb kAwakeColour = qRgb(255, 160, 80);
constexpr QRgb kSleepColour = qRgb(120, 250, 120);
constexpr QRgb kDeepSleepColour = qRgb(100, 150, 250);
constexpr QRgb kDotColour = qRgb(255, 255, 255);
// The estimate's marks: unlike any band, the dots and the axes.
constexpr QRgb kEstimateColour = qRgb(255, 0, 255);
constexpr int kEstimateLineWidth = 2;

QRgb BandColour(double value) {
    if (value >= 500) return kAwakeColour;
    if (value >= 150) return kSleepColour;
    return kDeepSleepColour;
}
}  // namespace

CSleepChartCtrl::CSleepChartCtrl(QWidget* parent) : LayeredChart(parent) {
    RedrawGrid();
}

void CSleepChartCtrl::SetValueRange(double lower, double upper, int decimals) {
    Axes().valueLower = lower;
    Axes().valueUpper = upper;
    Axes().decimals = decimals;
    RedrawGrid();
}

void CSleepChartCtrl::SetTimeRange(double lower, double upper) {
    Axes().timeLower = lower;
    Axes().timeUpper = upper;
    RedrawGrid();
}

void CSleepChartCtrl::SetXCaption(const QString& caption) {
    timeCaption_ = caption;
    RedrawGrid();
}

void CSleepChartCtrl::SetYCaption(const QString& caption) {
    valueCaption_ = caption;
    RedrawGrid();
}

void CSleepChartCtrl::SetLegend(const QString& awake, const QString& sleep, const QString& deepSleep) {
    legend_[0] = awake;
    legend_[1] = sleep;
    legend_[2] = deepSleep;
    RedrawGrid();
}

void CSleepChartCtrl::SetEstimateLegend(const QString& text) {
    estimateLegend_ = text;
    RedrawGrid();
}

void CSleepChartCtrl::SetDateLabels(const QString& left, const QString& right) {
    leftDate_ = left;
    rightDate_ = right;
    RedrawGrid();
}

void CSleepChartCtrl::SetAxisColor(const QColor& colour) {
    axisColour_ = colour;
    RedrawGrid();
}

void CSleepChartCtrl::SetBackColor(const QColor& colour) {
    SetBackground(colour);
    RedrawGrid();
}

void CSleepChartCtrl::PlotMinute(double hour, double value) {
    if (!HasPlotLayer()) return;
    const ChartAxes& axes = Axes();
    const PlotEdges& plot = axes.plot;
    const int offset = TruncToCoordinate((hour - axes.timeLower - 1.0 / 60) * axes.TimeScale());
    const int firstX = offset < 0 ? plot.left : plot.left + offset;
    const int lastX = axes.XOf(hour);
    const int top = axes.YOf(value);
    // Columns start just above the axis line; where the grid is black there, they stay out.
    const int baseRow = plot.bottom - 1;
    const QImage& grid = GridLayer();
    // Only columns on the layer can show; the rest would be clipped anyway.
    const int fromX = std::max(firstX, 0);
    const int toX = std::min(lastX, contentsRect().width() - 1);

    // Columns and dots fill whole client pixels, however many device pixels each one covers.
    const qreal ratio = grid.devicePixelRatio();
    const auto gridBlackAt = [&grid, ratio](int x, int y) {
        const QPoint device(qRound(x * ratio), qRound(y * ratio));
        return grid.valid(device) && (grid.pixel(device) & 0xFFFFFF) == 0;
    };
    QPainter painter(&PlotLayer());
    const QColor band(BandColour(value));
    for (int x = fromX; x <= toX; ++x) {
        if (!gridBlackAt(x, baseRow))
            painter.fillRect(QRect(QPoint(x, std::min(baseRow, top)), QPoint(x, std::max(baseRow, top))),
                             band);
    }
    for (int x = fromX; x <= toX; ++x) painter.fillRect(QRect(x, top, 1, 1), QColor(kDotColour));
    update();
}

void CSleepChartCtrl::MarkEstimate(double bedHour, double upHour) {
    if (!HasPlotLayer()) return;
    const ChartAxes& axes = Axes();
    QPainter painter(&PlotLayer());
    for (const double hour : {bedHour, upHour}) {
        if (hour < axes.timeLower || hour > axes.timeUpper) continue;
        const int x = std::min(axes.XOf(hour), axes.plot.right - kEstimateLineWidth);
        painter.fillRect(QRect(x, axes.plot.top, kEstimateLineWidth, axes.plot.Height()),
                         QColor(kEstimateColour));
    }
    update();
}

void CSleepChartCtrl::DrawGrid(QPainter& painter, QSize client) {
    ChartAxes& axes = Axes();
    PlotEdges& plot = axes.plot;
    DrawLegend(painter, client);

    const int labelChars = LabelWidthChars(axes.valueLower, axes.valueUpper, axes.decimals);
    plot.left = 4 * labelChars;
    plot.right = client.width() - labelChars;
    plot.top = kPlotTop;
    plot.bottom = client.height() - kPlotBottomMargin;

    painter.setPen(QPen(axisColour_, 0));
    const QPoint axisLines[] = {
        {plot.left, plot.top}, {plot.left, plot.bottom + 1}, {plot.right, plot.bottom + 1}};
    painter.drawPolyline(axisLines, 3);

    DrawHourLabels(painter);
    DrawLabel(painter, leftDate_, {plot.left + 5, plot.bottom + 16}, LabelAnchor::TopCentre, axisColour_);
    DrawLabel(painter, rightDate_, {plot.right - 15, plot.bottom + 16}, LabelAnchor::TopCentre, axisColour_);
    DrawLabel(painter, timeCaption_, {plot.right + 10, plot.bottom + 4}, LabelAnchor::TopLeft, axisColour_);
    DrawRotatedLabel(painter, valueCaption_, {plot.left - 5, (plot.bottom + plot.top) / 2}, axisColour_);
}

void CSleepChartCtrl::DrawLegend(QPainter& painter, QSize client) {
    const int unit = client.width() / 10;
    constexpr QRgb colours[3] = {kAwakeColour, kSleepColour, kDeepSleepColour};
    const int boxLefts[3] = {unit, 4 * unit, 7 * unit};
    for (int band = 0; band < 3; ++band) {
        painter.fillRect(boxLefts[band], kLegendTop, unit, kLegendHeight, QColor(colours[band]));
        DrawLabel(painter, legend_[band], {boxLefts[band] + unit + 5, kLegendTop}, LabelAnchor::TopLeft,
                  Qt::white);
    }
    if (estimateLegend_.isEmpty()) return;
    // Under the first band's box: a narrow box like the marks themselves.
    const int top = kLegendTop + kLegendHeight + kLegendGap;
    painter.fillRect(boxLefts[0] + unit / 2 - kEstimateLineWidth, top, 2 * kEstimateLineWidth, kLegendHeight,
                     QColor(kEstimateColour));
    DrawLabel(painter, estimateLegend_, {boxLefts[0] + unit + 5, top}, LabelAnchor::TopLeft, Qt::white);
}

void CSleepChartCtrl::DrawHourLabels(QPainter& painter) {
    const ChartAxes& axes = Axes();
    const int bottom = axes.plot.bottom;
    // Every second hour once the night is longer than a day, so that labels do not collide.
    const int step = axes.TimeRange() > 24 ? 2 : 1;
    const std::int64_t last = WholeUnits(axes.timeUpper);
    for (std::int64_t hour = WholeUnits(axes.timeLower); hour <= last; hour += step) {
        const int x = axes.LabelXOf(static_cast<double>(hour));
        const std::int64_t clockHour = hour < 0 ? hour + 24 : hour % 24;
        DrawLabel(painter, QString::number(clockHour), {x, bottom + 4}, LabelAnchor::TopCentre, axisColour_);
        painter.setPen(QPen(axisColour_, 0));
        for (int tick = 1; tick <= 3; ++tick) painter.drawPoint(x, bottom + tick);
    }
}

}  // namespace kiro::gui
