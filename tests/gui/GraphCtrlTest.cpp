#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "ChartPixels.h"
#include "gui/charts/CGraphCtrl.h"

namespace kiro::gui {
namespace {

using test::kBlack;
using test::kCyan;
using test::kWhite;
using test::PixelAt;

class GraphCtrlTest : public test::GuiTest {
  protected:
    void SetUp() override {
        graph.resize(test::kChartSize);
        graph.show();
    }

    // The texts written under the plot, in drawing order.
    std::vector<ChartLabel> TimeLabels() const {
        std::vector<ChartLabel> below;
        for (const ChartLabel& label : graph.Labels()) {
            if (label.anchor.y() == graph.Plot().bottom + 4 && label.anchor.x() < graph.Plot().right + 10) {
                below.push_back(label);
            }
        }
        return below;
    }

    CGraphCtrl graph;
};

TEST_F(GraphCtrlTest, MarginsFollowTheWidestLeftLabel) {
    const QSize client = graph.Render().size();
    ASSERT_EQ(client, test::kChartClient);
    graph.SetValueRange(0, 12345, 0, 100, 0);  // 4 exponent digits + 0 decimals + 4 = 8 characters
    EXPECT_EQ(graph.Plot().left, 48);
    EXPECT_EQ(graph.Plot().right, client.width() - 64);
    EXPECT_EQ(graph.Plot().top, 10);
    EXPECT_EQ(graph.Plot().bottom, client.height() - 25);

    graph.SetValueRange(-0.5, 250, 0, 100, 2);  // 2 exponent digits + 2 decimals + 4 = 8
    EXPECT_EQ(graph.Plot().left, 48);
}

TEST_F(GraphCtrlTest, FrameAndDottedRowsAreInTheGridColour) {
    graph.SetValueRange(0, 12345, 0, 100, 0);
    const PlotEdges plot = graph.Plot();
    for (int y = plot.top; y <= plot.bottom + 1; ++y) {
        ASSERT_EQ(PixelAt(graph, plot.left, y), kCyan) << y;
        ASSERT_EQ(PixelAt(graph, plot.right + 1, y), kCyan) << y;
    }
    const int middle = (plot.top + plot.bottom) / 2;
    const int quarter = plot.Height() / 4;
    for (int row : {middle - quarter, middle, middle + quarter}) {
        EXPECT_EQ(PixelAt(graph, plot.left + 40, row), kCyan);
        EXPECT_EQ(PixelAt(graph, plot.left + 42, row), kBlack);
    }
    EXPECT_EQ(PixelAt(graph, plot.left + 40, middle + 1), kBlack);
}

TEST_F(GraphCtrlTest, NumberLabelsStepByATenthOfTheRange) {
    struct Case {
        double lower, upper;
        std::vector<QString> expected;
    };
    const Case cases[] = {
        {1, 31.99, {"1", "4", "7", "10", "13", "16", "19", "22", "25", "28", "31"}},
        {0, 24, {"0", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20", "22", "24"}},
        {0, 5, {"0", "1", "2", "3", "4", "5"}},  // a step below 1 is raised to 1
    };
    for (const Case& c : cases) {
        graph.SetTimeRange(c.lower, c.upper, CGraphCtrl::TimeLabels::Numbers);
        const std::vector<ChartLabel> labels = TimeLabels();
        ASSERT_EQ(labels.size(), c.expected.size()) << c.upper;
        const PlotEdges plot = graph.Plot();
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_EQ(labels[i].text, c.expected[i]);
            const double t = labels[i].text.toDouble();
            EXPECT_EQ(labels[i].anchor.x(),
                      int((t - c.lower) * plot.Width() / (c.upper - c.lower) + plot.left));
        }
    }
}

TEST_F(GraphCtrlTest, LabelTextIsDrawnAroundItsAnchor) {
    graph.SetTimeRange(0, 24, CGraphCtrl::TimeLabels::Numbers);
    const ChartLabel last = TimeLabels().back();
    ASSERT_EQ(last.text, "24");
    int inked = 0;
    for (int x = last.anchor.x() - 10; x <= last.anchor.x() + 10; ++x) {
        for (int y = last.anchor.y(); y < last.anchor.y() + 14; ++y) inked += PixelAt(graph, x, y) != kBlack;
    }
    EXPECT_GT(inked, 10);
}

TEST_F(GraphCtrlTest, WeekdayNamesStandUnderTimesZeroToSix) {
    graph.SetWeekdayNames({"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"});
    graph.SetTimeRange(0, 6.99, CGraphCtrl::TimeLabels::Weekdays);
    const std::vector<ChartLabel> labels = TimeLabels();
    ASSERT_EQ(labels.size(), 7u);
    const PlotEdges plot = graph.Plot();
    const QString names[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(labels[day].text, names[day]);
        EXPECT_EQ(labels[day].anchor.x(), int(day * plot.Width() / 6.99 + plot.left));
    }
}

TEST_F(GraphCtrlTest, SegmentsAreNotClippedToThePlot) {
    graph.SetValueRange(0, 100, 0, 10, 0);
    graph.SetTimeRange(0, 24, CGraphCtrl::TimeLabels::Numbers);
    const PlotEdges plot = graph.Plot();
    graph.DrawSegment(6, 103, 18, 103);
    const int y = test::RowOf(plot, 103, 0, 100);
    ASSERT_LT(y, plot.top);
    const int x = test::ColumnOf(plot, 12, 0, 24);
    EXPECT_EQ(PixelAt(graph, x, y), kWhite);
}

TEST_F(GraphCtrlTest, ALineEndsOnePixelShortAndOfNoLengthDrawsNothing) {
    graph.SetValueRange(0, 100, 0, 10, 0);
    graph.SetTimeRange(0, 24, CGraphCtrl::TimeLabels::Numbers);
    const PlotEdges plot = graph.Plot();
    const ChartAxes axes = [&] {
        ChartAxes a;
        a.valueLower = 0;
        a.valueUpper = 100;
        a.timeLower = 0;
        a.timeUpper = 24;
        a.plot = plot;
        return a;
    }();
    // The per-minute bars of an idle stretch: every bar from the zero line to the zero line.
    for (int minute = 600; minute < 700; ++minute) graph.DrawSegment(minute / 60.0, 0, minute / 60.0, 0);
    const int zeroRow = axes.YOf(0);
    for (int x = axes.XOf(10.0); x < axes.XOf(700 / 60.0); ++x)
        ASSERT_EQ(PixelAt(graph, x, zeroRow), kBlack) << "an idle minute paints nothing, at x " << x;
    graph.DrawSegment(12, 50, 12, 0);
    const int x = axes.XOf(12);
    EXPECT_EQ(PixelAt(graph, x, axes.YOf(50)), kWhite) << "the first point is drawn";
    EXPECT_EQ(PixelAt(graph, x, axes.YOf(1)), kWhite);
    EXPECT_NE(PixelAt(graph, x, zeroRow), kWhite) << "the end point is not";
}

TEST_F(GraphCtrlTest, PlotIsCombinedWithTheGridByBitwiseOr) {
    graph.SetValueRange(0, 100, 0, 10, 0);
    graph.SetTimeRange(0, 24, CGraphCtrl::TimeLabels::Numbers);
    graph.SetLineColor(QColor(255, 0, 0), false);
    const PlotEdges plot = graph.Plot();
    graph.DrawSegment(0, 10, 0, 90);  // along the frame's left edge
    const int y = (plot.top + plot.bottom) / 2 + 1;
    EXPECT_EQ(PixelAt(graph, plot.left, y), kWhite);  // red | cyan
    graph.DrawSegment(12, 10, 12, 90);                // over the background
    EXPECT_EQ(PixelAt(graph, test::ColumnOf(plot, 12, 0, 24), y), test::kRed);
}

TEST_F(GraphCtrlTest, EveryPropertyChangeErasesThePlot) {
    const std::pair<const char*, std::function<void(CGraphCtrl&)>> changes[] = {
        {"value range", [](CGraphCtrl& g) { g.SetValueRange(0, 100, 0, 10, 0); }},
        {"time range", [](CGraphCtrl& g) { g.SetTimeRange(0, 24, CGraphCtrl::TimeLabels::Numbers); }},
        {"time caption", [](CGraphCtrl& g) { g.SetXCaption("Hours"); }},
        {"value captions", [](CGraphCtrl& g) { g.SetYCaptions("Steps", "KCal"); }},
        {"axis colour", [](CGraphCtrl& g) { g.SetAxisColor(QColor(0, 255, 255)); }},
        {"line colour with redraw", [](CGraphCtrl& g) { g.SetLineColor(QColor(255, 255, 255), true); }},
        {"background colour", [](CGraphCtrl& g) { g.SetBackColor(QColor(0, 0, 0)); }},
        {"weekday names",
         [](CGraphCtrl& g) {
             g.SetWeekdayNames({"1", "2", "3", "4", "5", "6", "7"});
         }},
    };
    for (const auto& [name, change] : changes) {
        graph.SetValueRange(0, 100, 0, 10, 0);
        graph.SetTimeRange(0, 24, CGraphCtrl::TimeLabels::Numbers);
        graph.DrawSegment(0, 50, 24, 50);
        const int x = graph.Plot().left + 101;
        const int y = test::RowOf(graph.Plot(), 50, 0, 100);
        ASSERT_EQ(PixelAt(graph, x, y), kWhite) << name;
        change(graph);
        EXPECT_EQ(PixelAt(graph, x, y), kBlack) << name;
    }
}

TEST_F(GraphCtrlTest, EmptyRangesDrawWithoutFailing) {
    graph.SetValueRange(5, 5, 0, 0, 0);
    graph.SetTimeRange(3, 3, CGraphCtrl::TimeLabels::Numbers);
    graph.DrawSegment(3, 5, 4, 6);
    EXPECT_EQ(TimeLabels().size(), 1u);
    EXPECT_FALSE(graph.Render().isNull());
}

TEST_F(GraphCtrlTest, ResizingRedrawsForTheNewClientSize) {
    graph.SetValueRange(0, 12345, 0, 100, 0);
    graph.resize(404, 204);
    EXPECT_EQ(graph.Render().size(), QSize(400, 200));
    EXPECT_EQ(graph.Plot().right, 400 - 64);
    EXPECT_EQ(graph.Plot().bottom, 200 - 25);
}

}  // namespace
}  // namespace kiro::gui
