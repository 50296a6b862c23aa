#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "ChartPixels.h"
#include "gui/charts/CSleepChartCtrl.h"

namespace kiro::gui {
namespace {

using test::kAwake;
using test::kBlack;
using test::kCyan;
using test::kDeepSleep;
using test::kNight;
using test::kSleep;
using test::kWhite;
using test::PixelAt;

class SleepChartCtrlTest : public test::GuiTest {
  protected:
    void SetUp() override {
        chart.resize(test::kChartSize);
        chart.show();
    }

    std::vector<QString> HourLabels() const {
        std::vector<QString> hours;
        for (const ChartLabel& label : chart.Labels()) {
            if (label.anchor.y() == chart.Plot().bottom + 4 && label.anchor.x() <= chart.Plot().right) {
                hours.push_back(label.text);
            }
        }
        return hours;
    }

    CSleepChartCtrl chart;
};

TEST_F(SleepChartCtrlTest, PlotMarginsAndAxes) {
    chart.SetValueRange(0, 1000, 0);  // 3 exponent digits + 0 decimals + 4 = 7 characters
    const PlotEdges plot = chart.Plot();
    EXPECT_EQ(plot.left, 28);
    EXPECT_EQ(plot.right, 600 - 7);
    EXPECT_EQ(plot.top, 70);
    EXPECT_EQ(plot.bottom, 300 - 35);
    EXPECT_EQ(PixelAt(chart, plot.left, plot.top), kCyan);
    EXPECT_EQ(PixelAt(chart, plot.left, plot.bottom + 1), kCyan);
    EXPECT_EQ(PixelAt(chart, plot.right, plot.bottom + 1), kCyan);
    EXPECT_EQ(PixelAt(chart, plot.right, plot.top), kBlack);  // no top or right frame
}

TEST_F(SleepChartCtrlTest, HourLabelsWrapPastMidnight) {
    chart.SetTimeRange(20, 33);
    const std::vector<QString> expected = {"20", "21", "22", "23", "0", "1", "2",
                                           "3",  "4",  "5",  "6",  "7", "8", "9"};
    EXPECT_EQ(HourLabels(), expected);
    const int x = test::ColumnOf(chart.Plot(), 23, 20, 33);  // each label has a tick under the axis
    for (int y = chart.Plot().bottom + 1; y <= chart.Plot().bottom + 3; ++y) {
        EXPECT_EQ(PixelAt(chart, x, y), kCyan) << y;
    }
}

TEST_F(SleepChartCtrlTest, NightsLongerThanADayLabelEverySecondHour) {
    chart.SetTimeRange(18, 46);
    const std::vector<QString> expected = {"18", "20", "22", "0",  "2",  "4",  "6", "8",
                                           "10", "12", "14", "16", "18", "20", "22"};
    EXPECT_EQ(HourLabels(), expected);
    chart.SetTimeRange(18, 42);  // exactly 24 hours: every hour
    EXPECT_EQ(HourLabels().size(), 25u);
}

TEST_F(SleepChartCtrlTest, ColumnsTakeTheColourOfTheirBand) {
    chart.SetBackColor(QColor(kNight));
    chart.SetValueRange(0, 1000, 0);
    chart.SetTimeRange(0, 2);  // wide minutes: several pixel columns each
    struct Case {
        double value;
        QRgb colour;
    };
    const Case cases[] = {{500, kAwake}, {499, kSleep}, {150, kSleep}, {149, kDeepSleep}};
    double hour = 0.25;
    for (const Case& c : cases) {
        chart.PlotMinute(hour, c.value);
        const int x = test::ColumnOf(chart.Plot(), hour, 0, 2);
        const int top = test::RowOf(chart.Plot(), c.value, 0, 1000);
        EXPECT_EQ(PixelAt(chart, x, chart.Plot().bottom - 1), c.colour) << c.value;
        EXPECT_EQ(PixelAt(chart, x, top + 1), c.colour) << c.value;
        EXPECT_EQ(PixelAt(chart, x, top), kWhite) << c.value;
        EXPECT_EQ(PixelAt(chart, x, top - 1), kNight) << c.value;
        hour += 0.25;
    }
}

TEST_F(SleepChartCtrlTest, AMinuteFillsTheColumnsSinceThePreviousMinute) {
    chart.SetBackColor(QColor(kNight));
    chart.SetTimeRange(0, 1);  // one hour over the plot: several pixels per minute
    const PlotEdges plot = chart.Plot();
    chart.PlotMinute(0.5, 10);
    const int first = test::ColumnOf(plot, 0.5 - 1.0 / 60, 0, 1);
    const int last = test::ColumnOf(plot, 0.5, 0, 1);
    ASSERT_GT(last - first, 2);
    for (int x = first; x <= last; ++x) EXPECT_EQ(PixelAt(chart, x, plot.bottom - 1), kDeepSleep) << x;
    EXPECT_EQ(PixelAt(chart, first - 1, plot.bottom - 1), kNight);
    EXPECT_EQ(PixelAt(chart, last + 1, plot.bottom - 1), kNight);
}

// Two lines the height of the plot over the columns, in a colour no band has; a time off the
// chart draws nothing, and the legend names the marks on a row of their own above the plot.
TEST_F(SleepChartCtrlTest, TheEstimateIsTwoLinesOfItsOwnColourNamedInTheLegend) {
    chart.SetBackColor(QColor(kNight));
    chart.SetValueRange(0, 1000, 0);
    chart.SetTimeRange(20, 32);
    chart.SetEstimateLegend("Estimate: bed and getting up");
    for (double hour = 21; hour < 31; hour += 1.0 / 60) chart.PlotMinute(hour, 600);
    chart.MarkEstimate(22.5, 40);
    const PlotEdges plot = chart.Plot();
    const int bed = test::ColumnOf(plot, 22.5, 20, 32);
    for (int y = plot.top; y < plot.bottom; y += 20) EXPECT_EQ(PixelAt(chart, bed, y), test::kEstimate) << y;
    EXPECT_EQ(PixelAt(chart, bed - 1, plot.bottom - 1), kAwake) << "the columns beside it stay";
    int marked = 0;
    for (int x = plot.left; x < plot.right; ++x)
        marked += PixelAt(chart, x, plot.bottom - 2) == test::kEstimate;
    EXPECT_EQ(marked, 2) << "one line of two pixels: 40 o'clock is off the chart";

    const auto legend =
        std::find_if(chart.Labels().begin(), chart.Labels().end(),
                     [](const ChartLabel& label) { return label.text.startsWith("Estimate"); });
    ASSERT_NE(legend, chart.Labels().end());
    EXPECT_LT(legend->anchor.y() + 16, plot.top) << "above the plot";
    int legendMarks = 0;
    for (int x = 0; x < legend->anchor.x(); ++x)
        legendMarks += PixelAt(chart, x, legend->anchor.y() + 8) == test::kEstimate;
    EXPECT_GT(legendMarks, 0) << "a sample of the marks' colour beside the name";
}

TEST_F(SleepChartCtrlTest, PureBlackBackgroundSuppressesColumnsButNotDots) {
    chart.SetValueRange(0, 1000, 0);
    chart.SetTimeRange(0, 2);
    chart.PlotMinute(1, 600);
    const int x = test::ColumnOf(chart.Plot(), 1, 0, 2);
    const int top = test::RowOf(chart.Plot(), 600, 0, 1000);
    EXPECT_EQ(PixelAt(chart, x, chart.Plot().bottom - 1), kBlack);
    EXPECT_EQ(PixelAt(chart, x, top + 1), kBlack);
    EXPECT_EQ(PixelAt(chart, x, top), kWhite);
}

TEST_F(SleepChartCtrlTest, ValuesBelowTheRangeReachUnderTheAxis) {
    chart.SetBackColor(QColor(kNight));
    chart.SetValueRange(100, 1000, 0);
    chart.SetTimeRange(0, 2);
    chart.PlotMinute(0.5, 0);
    const int x = test::ColumnOf(chart.Plot(), 0.5, 0, 2);
    const int top = test::RowOf(chart.Plot(), 0, 100, 1000);
    ASSERT_GT(top, chart.Plot().bottom + 10);
    EXPECT_EQ(PixelAt(chart, x, top), kWhite);
    EXPECT_EQ(PixelAt(chart, x, chart.Plot().bottom + 10), kDeepSleep);
}

TEST_F(SleepChartCtrlTest, LegendBoxesShowTheBandColours) {
    const int unit = 600 / 10;
    EXPECT_EQ(PixelAt(chart, unit, 20), kAwake);
    EXPECT_EQ(PixelAt(chart, 5 * unit - 1, 35), kSleep);
    EXPECT_EQ(PixelAt(chart, 7 * unit, 36), kBlack);
}

TEST_F(SleepChartCtrlTest, APropertyChangeErasesThePlot) {
    chart.SetBackColor(QColor(kNight));
    chart.SetTimeRange(0, 2);
    chart.PlotMinute(1, 50);
    const int x = test::ColumnOf(chart.Plot(), 1, 0, 2);
    ASSERT_EQ(PixelAt(chart, x, chart.Plot().bottom - 1), kDeepSleep);
    chart.SetDateLabels("05/04", "05/05");
    EXPECT_EQ(PixelAt(chart, x, chart.Plot().bottom - 1), kNight);
}

}  // namespace
}  // namespace kiro::gui
