#pragma once
#include <QColor>
#include <QString>
#include <array>

#include "core/analysis/GraphLayout.h"
#include "gui/charts/LayeredChart.h"

namespace kiro::gui {

// The line graph of the reports and the battery curve: a framed plot with a dotted grid, a value
// scale left, a second value scale right (labels only) and a time axis below. The caller sets
// ranges, captions and colours, then draws segment by segment; drawings are never clipped, so a
// value beyond the range shows beyond the frame.
class CGraphCtrl : public LayeredChart {
    Q_OBJECT
  public:
    enum class TimeLabels { Numbers, Weekdays };

    explicit CGraphCtrl(QWidget* parent = nullptr);

    void SetValueRange(double lower, double upper, double rightLower, double rightUpper, int decimals);
    void SetTimeRange(double lower, double upper, TimeLabels labels);
    // The names written under times 0..6 in weekday mode, Sunday first.
    void SetWeekdayNames(const std::array<QString, 7>& names);
    void SetXCaption(const QString& caption);
    void SetYCaptions(const QString& left, const QString& right);
    void SetAxisColor(const QColor& colour);
    // With redraw the grid is drawn again (the right caption takes the plot colour) and the plot
    // erased; without, only segments drawn from now on take the colour.
    void SetLineColor(const QColor& colour, bool redraw);
    void SetBackColor(const QColor& colour);

    // One line from (time1, value1) to (time2, value2) on the plot layer.
    void DrawSegment(double time1, double value1, double time2, double value2);

  protected:
    void DrawGrid(QPainter& painter, QSize client) override;

  private:
    GraphScales scales_;
    QColor gridColour_{0, 255, 255};
    QColor plotColour_{255, 255, 255};
};

}  // namespace kiro::gui
