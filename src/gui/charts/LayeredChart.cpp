#include "gui/charts/LayeredChart.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace kiro::gui {
namespace {
// The charts' one font: Arial, 14 pixels, light weight.
QFont ChartFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(14);
    font.setWeight(QFont::Light);
    return font;
}
}  // namespace

LayeredChart::LayeredChart(QWidget* parent) : QFrame(parent), font_(ChartFont()) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    // The layers cover the whole client area; nothing behind them needs erasing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage LayeredChart::Render() const {
    if (gridLayer_.isNull()) return {};
    QImage combined = gridLayer_.copy();
    QPainter painter(&combined);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(0, 0, plotLayer_);
    return combined;
}

void LayeredChart::RedrawGrid() {
    const QSize client = contentsRect().size();
    if (gridLayer_.size() != client) {
        if (client.isEmpty()) {
            gridLayer_ = QImage();
            plotLayer_ = QImage();
        } else {
            gridLayer_ = QImage(client, QImage::Format_RGB32);
            plotLayer_ = QImage(client, QImage::Format_RGB32);
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
    labels_.push_back({text, anchor});
}

void LayeredChart::DrawRotatedLabel(QPainter& painter, const QString& text, QPoint anchor,
                                    const QColor& colour) {
    const int width = QFontMetrics(painter.font()).horizontalAdvance(text);
    painter.save();
    painter.translate(anchor);
    painter.rotate(-90);
    painter.setPen(colour);
    painter.drawText(QPoint(-width / 2, 0), text);
    painter.restore();
    labels_.push_back({text, anchor});
}

void LayeredChart::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), Render());
}

void LayeredChart::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // Qt also delivers a resize on first show with an unchanged size; redrawing then would
    // erase what the caller has already drawn.
    if (gridLayer_.size() != contentsRect().size()) RedrawGrid();
}

}  // namespace kiro::gui
