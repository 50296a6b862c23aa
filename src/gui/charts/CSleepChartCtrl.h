#pragma once
#include <QColor>
#include <QString>

#include "gui/charts/LayeredChart.h"

namespace kiro::gui {

// The per-minute sleep curve of the sleep analysis: each minute a thin column from the time axis
// up to its value, coloured by band (awake, sleep, deep sleep), with a white dot on top; a legend
// of the bands above the plot, hour labels and ticks below it, the night's dates at both ends.
// The night's sleep estimate is marked by two lines of a colour of their own, going to bed and
// getting up, named in a second legend row.
class CSleepChartCtrl : public LayeredChart {
    Q_OBJECT
  public:
    explicit CSleepChartCtrl(QWidget* parent = nullptr);

    void SetValueRange(double lower, double upper, int decimals);
    // In hours; values past 24 are the next day's hours.
    void SetTimeRange(double lower, double upper);
    void SetXCaption(const QString& caption);
    void SetYCaption(const QString& caption);
    void SetLegend(const QString& awake, const QString& sleep, const QString& deepSleep);
    void SetEstimateLegend(const QString& text);
    void SetDateLabels(const QString& left, const QString& right);
    void SetAxisColor(const QColor& colour);
    void SetBackColor(const QColor& colour);

    // The column of the minute that ends at `hour` (in hours), filling the pixel columns from the
    // previous minute's position to its own.
    void PlotMinute(double hour, double value);
    // Lines the height of the plot at going to bed and at getting up (in hours, as the time
    // range), over the minutes plotted before; a time outside the time range is left out.
    void MarkEstimate(double bedHour, double upHour);

  protected:
    void DrawGrid(QPainter& painter, QSize client) override;

  private:
    void DrawLegend(QPainter& painter, QSize client);
    void DrawHourLabels(QPainter& painter);

    QString timeCaption_;
    QString valueCaption_ = QStringLiteral("SLEEP DEPTH");
    QString legend_[3] = {QStringLiteral("Awake"), QStringLiteral("Sleep"), QStringLiteral("Deep Sleep")};
    QString estimateLegend_;
    QString leftDate_ = QStringLiteral("00/00");
    QString rightDate_ = QStringLiteral("00/00");
    QColor axisColour_{0, 255, 255};
};

}  // namespace kiro::gui
