#include "gui/charts/LayeredChart.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cstdlib>

#include "gui/FontCells.h"

namespace kiro::gui {
namespace {
// The charts' one font: Arial of a 14-pixel cell, light weight.
QFont ChartFont() {
    return ArialWithCellHeight(14, QFont::Light);
}
}  // namespace

LayeredChart::LayeredChart(QWidget* parent) : QFrame(parent), font_(ChartFont()) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    // The layers cover the whole client area; nothing behind them needs erasing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LayeredChart::DrawLineWithoutEnd(QPoint from, QPoint to, const QColor& colour) {
    if (plotLayer_.isNull()) return;
    // The walk runs over device pixels, so that on a high-density screen the line is as fine as
    // the grid's and its steps are not magnified.
    const qreal ratio = plotLayer_.devicePixelRatio();
    from = QPoint(qRound(from.x() * ratio), qRound(from.y() * ratio));
    to = QPoint(qRound(to.x() * ratio), qRound(to.y() * ratio));
    // Bresenham's walk from `from` towards `to`, stopping one step short.
    const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1, stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    const QRgb pixel = colour.rgb();
    for (QPoint at = from; at != to;) {
        if (plotLayer_.valid(at)) plotLayer_.setPixel(at, pixel);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
    update();
}

QImage LayeredChart::Render() const {
    if (gridLayer_.isNull()) return {};
    QImage combined = gridLayer_.copy();
    QPainter painter(&combined);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(0, 0, plotLayer_);
    return combined;
}

QImage LayeredChart::NewLayer(QSize client) const {
    // One layer pixel per device pixel: text and lines stay sharp on a high-density screen.
    const qreal ratio = devicePixelRatioF();
    QImage layer(client * ratio, QImage::Format_RGB32);
    layer.setDevicePixelRatio(ratio);
    return layer;
}

QSize LayeredChart::LayerClientSize() const {
    return gridLayer_.deviceIndependentSize().toSize();
}

void LayeredChart::RedrawGrid() {
    const QSize client = contentsRect().size();
    if (LayerClientSize() != client || gridLayer_.devicePixelRatio() != devicePixelRatioF()) {
        if (client.isEmpty()) {
            gridLayer_ = QImage();
            plotLayer_ = QImage();
        } else {
            gridLayer_ = NewLayer(client);
            plotLayer_ = NewLayer(client);
        }
    }
    labels_.clear();
    if (gridLayer_.isNull()) return;

    gridLayer_.fill(background_);
    {
        QPainter painter(&gridLayer_);
        painter.setFont(font_);
        painter.setBackground(background_);
        painter.setBackgroundMode(Qt::OpaqueMode);
        DrawGrid(painter, client);
    }
    plotLayer_.fill(background_);
    update();
}

void LayeredChart::DrawLabel(QPainter& painter, const QString& text, QPoint anchor, LabelAnchor where,
                             const QColor& colour) {
    const QFontMetrics metrics(painter.font());
    const int width = metrics.horizontalAdvance(text);
    QPoint baseline = anchor;
    switch (where) {
        case LabelAnchor::TopLeft:
            baseline.ry() += metrics.ascent();
            break;
        case LabelAnchor::TopRight:
            baseline += QPoint(-width, metrics.ascent());
            break;
        case LabelAnchor::TopCentre:
            baseline += QPoint(-width / 2, metrics.ascent());
            break;
        case LabelAnchor::BaselineLeft:
            break;
        case LabelAnchor::BaselineRight:
            baseline.rx() -= width;
            break;
    }
    painter.setPen(colour);
    painter.drawText(baseline, text);
    labels_.push_back(
        {text, anchor, QRect(baseline.x(), baseline.y() - metrics.ascent(), width, metrics.height())});
}

void LayeredChart::DrawRotatedLabel(QPainter& painter, const QString& text, QPoint anchor,
                                    const QColor& colour) {
    const QFontMetrics metrics(painter.font());
    const int width = metrics.horizontalAdvance(text);
    painter.save();
    painter.translate(anchor);
    painter.rotate(-90);
    painter.setPen(colour);
    painter.drawText(QPoint(-width / 2, 0), text);
    painter.restore();
    // Turned upwards: the text runs from below the anchor to above it, its ascent to the left.
    labels_.push_back(
        {text, anchor,
         QRect(anchor.x() - metrics.ascent(), anchor.y() - width / 2, metrics.height(), width)});
}

void LayeredChart::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), Render());
}

void LayeredChart::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // Qt also delivers a resize on first show with an unchanged size; redrawing then would
    // erase what the caller has already drawn. A new pixel density alone waits for the next
    // redraw too: until then the layers are scaled to the screen.
    if (LayerClientSize() != contentsRect().size()) RedrawGrid();
}

}  // namespace kiro::gui
