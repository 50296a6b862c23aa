#include "gui/charts/CGraphCtrl.h"

#include <QFontMetrics>
#include <QPainter>

#include "gui/RgbColour.h"

namespace kiro::gui {

CGraphCtrl::CGraphCtrl(QWidget* parent) : LayeredChart(parent) {
    RedrawGrid();
}

void CGraphCtrl::SetValueRange(double lower, double upper, double rightLower, double rightUpper,
                               int decimals) {
    Axes().valueLower = lower;
    Axes().valueUpper = upper;
    Axes().decimals = decimals;
    scales_.rightLower = rightLower;
    scales_.rightUpper = rightUpper;
    RedrawGrid();
}

void CGraphCtrl::SetTimeRange(double lower, double upper, TimeLabels labels) {
    Axes().timeLower = lower;
    Axes().timeUpper = upper;
    scales_.timeLabels =
        labels == TimeLabels::Weekdays ? TimeLabelStyle::WeekdayNames : TimeLabelStyle::Numbers;
    RedrawGrid();
}

void CGraphCtrl::SetWeekdayNames(const std::array<QString, 7>& names) {
    for (int day = 0; day < 7; ++day) scales_.weekdayNames[day] = names[day].toStdString();
    RedrawGrid();
}

void CGraphCtrl::SetXCaption(const QString& caption) {
    scales_.timeCaption = caption.toStdString();
    RedrawGrid();
}

void CGraphCtrl::SetYCaptions(const QString& left, const QString& right) {
    scales_.leftCaption = left.toStdString();
    scales_.rightCaption = right.toStdString();
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
    const int captionWidth =
        QFontMetrics(painter.font()).horizontalAdvance(QString::fromStdString(scales_.timeCaption));
    const GraphGrid grid = LayOutGraphGrid(Axes(), scales_, client.width(), client.height(), captionWidth);
    const PlotEdges& plot = grid.plot;

    painter.setPen(QPen(gridColour_, 0));
    const QPoint frame[] = {{plot.left, plot.top},
                            {plot.right + 1, plot.top},
                            {plot.right + 1, plot.bottom + 1},
                            {plot.left, plot.bottom + 1},
                            {plot.left, plot.top}};
    painter.drawPolyline(frame, 5);
    for (int row : grid.dotRows) {
        for (int x = plot.left; x < plot.right; x += grid.dotSpacing) painter.drawPoint(x, row);
    }

    for (const GraphText& text : grid.texts) {
        const QColor colour = text.ink == GraphInk::Plot         ? plotColour_
                              : text.ink == GraphInk::RightScale ? ToQColor(kRightScaleInk)
                                                                 : gridColour_;
        const QString words = QString::fromStdString(text.text);
        if (text.upwards)
            DrawRotatedLabel(painter, words, {text.x, text.y}, colour);
        else
            DrawLabel(painter, words, {text.x, text.y}, text.anchor, colour);
    }
}

}  // namespace kiro::gui
