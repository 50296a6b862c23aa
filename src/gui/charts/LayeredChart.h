#pragma once
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

#include "core/analysis/ChartAxes.h"
#include "core/analysis/GraphLayout.h"

class QPainter;

namespace kiro::gui {

// A text that the last grid redraw wrote, with the point it was aligned to and the rectangle it
// covers (client coordinates).
struct ChartLabel {
    QString text;
    QPoint anchor;
    QRect bounds;
};

// Where a label's anchor sits on the text.
using LabelAnchor = TextAnchor;

// The common frame of the charts: a fixed grid layer (axes, labels) and a plot layer that the
// caller draws onto, both of the client size and filled with the background colour, shown
// combined by bitwise OR so that the plot never hides the grid and needs no transparency.
// Any property change redraws the grid and erases the plot: the charts keep no data, the
// caller sets every property first and then draws.
class LayeredChart : public QFrame {
    Q_OBJECT
  public:
    // The client area combined as the screen shows it, one pixel per device pixel (the client
    // size times the device pixel ratio); a null image while the client is empty.
    QImage Render() const;
    // The plot rectangle of the last grid redraw, in client coordinates.
    const PlotEdges& Plot() const { return axes_.plot; }
    // The texts of the last grid redraw in drawing order.
    const std::vector<ChartLabel>& Labels() const { return labels_; }

  protected:
    explicit LayeredChart(QWidget* parent);

    // Draws the fixed content for the client size into the grid layer (already filled with the
    // background) and sets the plot edges of Axes().
    virtual void DrawGrid(QPainter& painter, QSize client) = 0;

    // Recreates the layers when the client size changed, draws the grid and erases the plot.
    void RedrawGrid();

    // The plot layer is missing only while the client area is empty.
    bool HasPlotLayer() const { return !plotLayer_.isNull(); }
    // The layers carry the device pixel ratio: a painter on them takes client coordinates.
    QImage& PlotLayer() { return plotLayer_; }
    // A one-device-pixel line on the plot layer between client points: its first point is drawn,
    // its end point is not, and a line of no length draws nothing. Points off the layer are left
    // out.
    void DrawLineWithoutEnd(QPoint from, QPoint to, const QColor& colour);
    const QImage& GridLayer() const { return gridLayer_; }

    // Writes a label in the chart font on the background colour and records it.
    void DrawLabel(QPainter& painter, const QString& text, QPoint anchor, LabelAnchor where,
                   const QColor& colour);
    // Writes a label turned by 90 degrees (reading upwards), centred on its baseline at anchor.
    void DrawRotatedLabel(QPainter& painter, const QString& text, QPoint anchor, const QColor& colour);

    ChartAxes& Axes() { return axes_; }
    const ChartAxes& Axes() const { return axes_; }
    void SetBackground(const QColor& colour) { background_ = colour; }
    const QColor& Background() const { return background_; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImage NewLayer(QSize client) const;
    // The client size the layers were made for.
    QSize LayerClientSize() const;

    ChartAxes axes_;
    QFont font_;
    QImage gridLayer_;
    QImage plotLayer_;
    QColor background_{0, 0, 0};
    std::vector<ChartLabel> labels_;
};

}  // namespace kiro::gui
