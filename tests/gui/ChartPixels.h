#pragma once
// What the chart tests share: the colours the charts draw in, the size the tests show them at,
// and the pixels of what they show.
#include <QImage>
#include <QSize>

#include "GuiTestSupport.h"
#include "core/analysis/ChartAxes.h"
#include "gui/charts/LayeredChart.h"

namespace kiro::gui::test {

// The charts' own colours: the grid, a plotted line and the background by default.
inline constexpr QRgb kCyan = Rgb(0, 255, 255);
inline constexpr QRgb kWhite = Rgb(255, 255, 255);
inline constexpr QRgb kBlack = Rgb(0, 0, 0);
// The bands of the battery levels.
inline constexpr QRgb kRed = Rgb(255, 0, 0);
inline constexpr QRgb kYellow = Rgb(255, 255, 0);
inline constexpr QRgb kGreen = Rgb(0, 255, 0);
// The bands of the sleep chart, and a night-blue background the tests give it (on pure black
// it draws no columns).
inline constexpr QRgb kAwake = Rgb(255, 160, 80);
inline constexpr QRgb kSleep = Rgb(120, 250, 120);
inline constexpr QRgb kDeepSleep = Rgb(100, 150, 250);
inline constexpr QRgb kNight = Rgb(0, 0, 64);
// The marks of the sleep estimate.
inline constexpr QRgb kEstimate = Rgb(255, 0, 255);

// The size the tests show a chart at: a client area of 600 x 300 inside the sunken frame.
inline constexpr QSize kChartSize{604, 304};
inline constexpr QSize kChartClient{600, 300};

// A pixel of an image, without its alpha byte.
inline QRgb PixelOf(const QImage& image, int x, int y) {
    return image.pixel(x, y) & RGB_MASK;
}

// A pixel of what a chart shows, at a client point (one device pixel per client pixel).
inline QRgb PixelAt(const LayeredChart& chart, int x, int y) {
    return PixelOf(chart.Render(), x, y);
}

// The pixel column of a time and the pixel row of a value on a chart's plot, worked out here
// from the plot's edges and the ranges the test set, not taken from the chart.
inline int ColumnOf(const PlotEdges& plot, double time, double lower, double upper) {
    return plot.left + static_cast<int>((time - lower) * (plot.Width() / (upper - lower)));
}
inline int RowOf(const PlotEdges& plot, double value, double lower, double upper) {
    return plot.bottom - static_cast<int>((value - lower) * (plot.Height() / (upper - lower)));
}

}  // namespace kiro::gui::test
