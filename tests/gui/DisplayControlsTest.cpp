#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QTest>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/controls/CPercentBar.h"
#include "gui/controls/CSegmentDisplay.h"
#include "gui/controls/CTextLabel.h"
#include "support/TimeLimits.h"

namespace kiro::gui {
namespace {

const QRgb kGreen = test::Rgb(0, 255, 0);
const QRgb kBlack = test::Rgb(0, 0, 0);

QImage Rendered(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool AnyPixelInColumns(const QImage& image, int fromX, int toX, QRgb colour) {
    for (int x = fromX; x < toX; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if ((image.pixel(x, y) & RGB_MASK) == colour) return true;
        }
    }
    return false;
}

using DisplayControlsTest = test::GuiTest;

TEST_F(DisplayControlsTest, SegmentSizesFollowTheHeight) {
    struct Case {
        int height, thickness, length;
    };
    for (const Case c : {Case{40, 2, 12}, Case{10, 1, 3}, Case{3, 1, 1}, Case{100, 7, 30}}) {
        EXPECT_EQ(CSegmentDisplay::SegmentThickness(c.height), c.thickness) << c.height;
        EXPECT_EQ(CSegmentDisplay::SegmentLength(c.height), c.length) << c.height;
    }
}

TEST_F(DisplayControlsTest, SegmentTextIsCentredAsFullCells) {
    CSegmentDisplay display;
    display.resize(190, 40);  // T 2, L 12: cells of 18, a colon 14; "10:07" centred on 5 x 18 = 90
    const QImage image = Rendered(display);
    const int start = (190 - 90) / 2;
    const int cells[] = {start, start + 18, start + 36, start + 50, start + 68};
    const int middleOfUpperHalf = 1 + 2 * 2 + 6;
    // "1": segments b and c only.
    EXPECT_EQ(image.pixel(cells[0] + 14, middleOfUpperHalf) & RGB_MASK, kGreen);
    EXPECT_EQ(image.pixel(cells[0] + 2, middleOfUpperHalf) & RGB_MASK, kBlack);
    // "0": segments f and b, no g.
    EXPECT_EQ(image.pixel(cells[1] + 2, middleOfUpperHalf) & RGB_MASK, kGreen);
    EXPECT_EQ(image.pixel(cells[1] + 8, 1 + 3 * 2 + 12) & RGB_MASK, kBlack);
    // ":": two dots in the narrow cell.
    EXPECT_EQ(image.pixel(cells[2] + 4, 1 + 12 + 1) & RGB_MASK, kGreen);
    EXPECT_EQ(image.pixel(cells[2] + 4, 1 + 2 + 24 + 1) & RGB_MASK, kGreen);
    // "7": a, b and c; no d.
    EXPECT_EQ(image.pixel(cells[4] + 8, 1 + 2) & RGB_MASK, kGreen);
    EXPECT_EQ(image.pixel(cells[4] + 8, 1 + 10 + 24) & RGB_MASK, kBlack);
    // The drawn text is 86 pixels wide: nothing past the last cell's right segment.
    EXPECT_TRUE(AnyPixelInColumns(image, cells[4] + 13, cells[4] + 16, kGreen));
    EXPECT_FALSE(AnyPixelInColumns(image, start + 86, 190, kGreen));
    EXPECT_FALSE(AnyPixelInColumns(image, 0, start + 1, kGreen));
}

TEST_F(DisplayControlsTest, UnknownCharactersLeaveAnEmptyCell) {
    CSegmentDisplay display;
    display.resize(100, 40);
    display.SetText("8 8");
    const QImage image = Rendered(display);
    const int start = (100 - 3 * 18) / 2;
    EXPECT_TRUE(AnyPixelInColumns(image, start, start + 18, kGreen));
    EXPECT_FALSE(AnyPixelInColumns(image, start + 18, start + 36, kGreen));
    EXPECT_TRUE(AnyPixelInColumns(image, start + 36, start + 54, kGreen));
}

// A bar 200 x 24 with a large font, so that glyphs have pixels of the pure text colour.
class PercentBarTest : public test::GuiTest {
  protected:
    void SetUp() override {
        bar.resize(200, 24);
        QFont font = bar.font();
        font.setPixelSize(20);
        font.setBold(true);
        bar.setFont(font);
        bar.SetBarColor(kBarColour);
        bar.SetTextColor(kTextColour);
    }

    const QRgb kBarColour = test::Rgb(0, 0, 200);
    const QRgb kTextColour = test::Rgb(220, 0, 0);
    CPercentBar bar;
};

TEST_F(PercentBarTest, PercentageChangesColourAtTheBarEdge) {
    bar.SetPos(45);
    const QImage image = Rendered(bar);
    const int edge = 90;  // trunc(0.45 x 200)
    EXPECT_EQ(image.pixel(2, 2) & RGB_MASK, kBarColour);
    EXPECT_EQ(image.pixel(edge - 1, 2) & RGB_MASK, kBarColour);
    EXPECT_NE(image.pixel(edge, 2) & RGB_MASK, kBarColour);
    // "45%" is centred on 100, so it straddles the edge.
    EXPECT_FALSE(AnyPixelInColumns(image, 0, edge, kTextColour));
    EXPECT_TRUE(AnyPixelInColumns(image, edge, 200, kTextColour));
    const QRgb overBar = bar.palette().color(QPalette::Base).rgb() & RGB_MASK;
    EXPECT_TRUE(AnyPixelInColumns(image, 70, edge, overBar));
}

TEST_F(PercentBarTest, CaptionReplacesThePercentage) {
    bar.SetPos(50);
    const QImage percentage = Rendered(bar);
    bar.SetText("50%");
    EXPECT_EQ(Rendered(bar), percentage);
    bar.SetText("No new version");
    EXPECT_NE(Rendered(bar), percentage);
    bar.ShowText(false);
    const QImage plain = Rendered(bar);
    EXPECT_FALSE(AnyPixelInColumns(plain, 100, 200, kTextColour));
}

TEST_F(PercentBarTest, EmptyRangeDrawsNoBar) {
    bar.SetRange(50, 50);
    bar.SetPos(50);
    EXPECT_FALSE(AnyPixelInColumns(Rendered(bar), 0, 200, kBarColour));
}

TEST_F(PercentBarTest, RepaintsOnlyWhenTheBarChangesByAPixel) {
    bar.resize(50, 24);  // a position step is half a pixel
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar, kiro::test::TimeLimitMs(std::chrono::seconds(5))));
    QCoreApplication::processEvents();
    test::PaintCounter paints(bar);

    EXPECT_EQ(bar.SetPos(10), 0);  // 5 pixels
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(bar.SetPos(11), 10);  // still 5 pixels
    EXPECT_EQ(paints.count, 1);
    bar.SetPos(12);  // 6 pixels
    EXPECT_EQ(paints.count, 2);

    bar.resize(60, 24);  // a new size forgets the width drawn, though the bar is 7 pixels again
    bar.SetPos(12);
    EXPECT_EQ(paints.count, 3);
}

TEST_F(DisplayControlsTest, TextLabelDrawsItsTextShiftedByTheOffset) {
    CTextLabel label;
    label.resize(120, 30);
    label.setText("III");
    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label.SetBkColor(QColor(0, 0, 0), false);
    label.SetTextColor(QColor(255, 255, 255), false);
    QFont font = label.font();
    font.setPixelSize(20);
    font.setBold(true);
    label.setFont(font);
    const QImage plain = Rendered(label);
    EXPECT_TRUE(AnyPixelInColumns(plain, 0, 20, test::Rgb(255, 255, 255)));
    label.SetTextOffset(QPoint(60, 0), false);
    const QImage shifted = Rendered(label);
    EXPECT_FALSE(AnyPixelInColumns(shifted, 0, 55, test::Rgb(255, 255, 255)));
    EXPECT_TRUE(AnyPixelInColumns(shifted, 60, 80, test::Rgb(255, 255, 255)));
}

TEST_F(DisplayControlsTest, TextLabelWrapsFromTheTopUnlessItStandsOnOneCentredLine) {
    CTextLabel label;
    label.resize(60, 90);
    label.setText("WWW WWW WWW WWW");
    label.SetBkColor(QColor(0, 0, 0), false);
    label.SetTextColor(QColor(255, 255, 255), false);
    QFont font = label.font();
    font.setPixelSize(14);
    label.setFont(font);
    const auto whiteRows = [](const QImage& image) {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & RGB_MASK) == test::Rgb(255, 255, 255)) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    };
    const std::vector<int> wrapped = whiteRows(Rendered(label));
    ASSERT_FALSE(wrapped.empty());
    EXPECT_LT(wrapped.front(), 14) << "the words start at the top";
    EXPECT_GT(wrapped.back(), 30) << "and wrap onto further lines";
    label.SetCentredLine(true);
    const std::vector<int> centred = whiteRows(Rendered(label));
    ASSERT_FALSE(centred.empty());
    EXPECT_GT(centred.front(), 30) << "one line in the middle";
    EXPECT_LT(centred.back() - centred.front(), 20);
}

}  // namespace
}  // namespace kiro::gui
