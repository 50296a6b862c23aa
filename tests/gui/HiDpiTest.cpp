// The charts on screens of any pixel density: drawn in device pixels, never enlarged from a
// lower resolution. The suite runs these once at the screen's own ratio and once more with
// QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "ChartPixels.h"
#include "gui/charts/CGraphCtrl.h"
#include "gui/charts/CSleepChartCtrl.h"
#include "gui/mainwindow/ScreenFit.h"
#include "gui/resources/DrawnPictures.h"
#include "gui/resources/Pictures.h"
#include "mainwindow/MainWindowWorld.h"

namespace kiro::gui {
namespace {

using test::kCyan;
using test::kDeepSleep;
using test::kNight;
using test::kYellow;
using test::PixelOf;

// How many pixels of a colour a column of the image has between two rows (both included).
int CountInColumn(const QImage& image, int x, int fromY, int toY, QRgb colour) {
    int count = 0;
    for (int y = fromY; y <= toY; ++y) count += PixelOf(image, x, y) == colour ? 1 : 0;
    return count;
}

class HiDpiTest : public test::GuiTest {
  protected:
    void SetUp() override {
        graph.resize(404, 204);  // a client area of 400 x 200 inside the sunken frame
        graph.show();
        graph.SetAxisColor(QColor(kCyan));
        graph.SetLineColor(QColor(kYellow), true);
        graph.SetValueRange(0, 100, 0, 10, 0);
        graph.SetTimeRange(0, 24, CGraphCtrl::TimeLabels::Numbers);
        ratio = graph.devicePixelRatioF();
    }
    int Device(int client) const { return qRound(client * ratio); }

    CGraphCtrl graph;
    qreal ratio = 1;
};

TEST_F(HiDpiTest, AChartHasOnePixelPerDevicePixel) {
    const QImage shot = graph.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(Device(404), Device(204)));
    EXPECT_EQ(shot.devicePixelRatio(), ratio);
    EXPECT_EQ(graph.Render().size(), QSize(Device(400), Device(200)));
}

TEST_F(HiDpiTest, GridAndPlotLinesAreOneDevicePixelThin) {
    graph.DrawSegment(2, 50, 22, 50);
    const QImage image = graph.Render();
    const PlotEdges plot = graph.Plot();
    const int x = Device((plot.left + plot.right) / 2) + 1;
    EXPECT_EQ(CountInColumn(image, x, Device(plot.top) - 1, Device(plot.top + 1), kCyan), 1)
        << "the frame's top";
    const int y = Device(plot.bottom - plot.Height() / 2);
    EXPECT_EQ(CountInColumn(image, x, y - Device(2), y + Device(2), kYellow), 1) << "the plotted line";
}

TEST_F(HiDpiTest, SleepColumnsCoverEveryDevicePixelOfTheirMinutes) {
    CSleepChartCtrl chart;
    chart.resize(test::kChartSize);
    chart.show();
    chart.SetBackColor(QColor(kNight));
    chart.SetTimeRange(0, 1);  // one hour over the plot: several pixels per minute
    chart.PlotMinute(0.5, 10);
    const PlotEdges plot = chart.Plot();
    const int first = test::ColumnOf(plot, 0.5 - 1.0 / 60, 0, 1);
    const int last = test::ColumnOf(plot, 0.5, 0, 1);
    const QImage image = chart.Render();
    const int row = Device(plot.bottom - 1);
    for (int x = Device(first); x < Device(last + 1); ++x) EXPECT_EQ(PixelOf(image, x, row), kDeepSleep) << x;
    EXPECT_EQ(PixelOf(image, Device(first) - 1, row), kNight);
    EXPECT_EQ(PixelOf(image, Device(last + 1), row), kNight);
}

TEST_F(HiDpiTest, AtTwiceTheDensityTheChartIsNotAnEnlargedCopy) {
    if (ratio < 2) GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    const QImage image = graph.Render();
    // An enlarged copy would repeat every client pixel as a block of 2 x 2 equal device pixels.
    int detailedBlocks = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb corner = PixelOf(image, x, y);
            if (PixelOf(image, x + 1, y) != corner || PixelOf(image, x, y + 1) != corner ||
                PixelOf(image, x + 1, y + 1) != corner)
                ++detailedBlocks;
        }
    EXPECT_GT(detailedBlocks, 100);
}

TEST_F(HiDpiTest, PicturesAreDrawnAtTheScreensDensity) {
    const QPixmap walker = LoadPicture(QString::fromLatin1(pictures::kWalker), QSize(100, 80));
    EXPECT_EQ(walker.size(), QSize(Device(100), Device(80)));
    EXPECT_EQ(walker.deviceIndependentSize(), QSizeF(100, 80));
    const QPixmap english = LanguageNamePicture(0);
    EXPECT_EQ(english.deviceIndependentSize(), QSizeF(kLanguageNameSize));
    EXPECT_EQ(english.size(), kLanguageNameSize * ratio);
}

TEST(HiDpiWindowTest, TheMainWindowScalesWithTheScreen) {
    test::MainWindowWorld world;
    auto window = world.Open();
    window->show();
    const qreal ratio = window->devicePixelRatioF();
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.size(), window->size() * ratio);
    // The layout is in logical pixels: the same at every density. The test's screen (800 x 600
    // device pixels) is smaller than it, at twice the density by half again: the window takes
    // what the screen leaves and scrolls the rest.
    const auto* scroll = test::Named<QScrollArea>(*window, "windowScrollArea");
    EXPECT_EQ(scroll->widget()->size(), QSize(997, 520));
    const QSize available = window->screen()->availableGeometry().size() - kWindowFrame;
    EXPECT_LE(window->width(), available.width());
    EXPECT_LE(window->height(), available.height());
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible()) << "997 is wider than the screen's room";
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 997 - scroll->viewport()->width());
}

}  // namespace
}  // namespace kiro::gui
