// The report page through its widgets: what it lists and draws, the mode kept in the settings,
// deleting rows, and when it reads the store again.
#include "gui/pages/CReportPage.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>
#if KIRO_QT_HAS_SVG
#include <QSvgRenderer>
#endif

#include "../ChartPixels.h"
#include "../PageWorld.h"
#include "core/analysis/Metrics.h"
#include "core/base/Format.h"
#include "gui/charts/CGraphCtrl.h"
#include "gui/controls/CGridListCtrl.h"
#include "gui/pages/CSleepDlg.h"

namespace kiro::gui {
namespace {

// The controls of a report page, by the names the page gives them.
CGridListCtrl* List(const CReportPage& page) {
    return test::Named<CGridListCtrl>(page, "reportList");
}
QRadioButton* Radio(const CReportPage& page, const char* mode) {
    return test::Named<QRadioButton>(page, std::string(mode) + "Radio");
}
QPushButton* Button(const CReportPage& page, const char* name) {
    return test::Named<QPushButton>(page, name);
}

class ReportPageTest : public ::testing::Test {
  protected:
    QStringList Row(const CReportPage& page, int row) const {
        QStringList cells;
        for (int column = 0; column < 7; ++column) cells << List(page)->GetItemText(row, column);
        return cells;
    }
    void Select(CReportPage& page, int row) {
        List(page)->selectionModel()->select(List(page)->model()->index(row, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    int MinutesWithSteps(int year, int month, int day) const {
        const MonthBuffer buffer = world.app.Store().LoadMonth(year, month).buffer;
        int count = 0;
        for (int m = 0; m < kMinutesPerDay; ++m) count += buffer.At(day, m / 60, m % 60) != 0;
        return count;
    }

    test::PageWorld world;
};

TEST_F(ReportPageTest, AMonthOfDaysWithTheirFiguresAndColours) {
    world.Store(2014, 5, 3, 600, {100, 5, 200, 6});  // 5 is a slight move
    world.Store(2014, 5, 9, 480, {60, 60});
    CReportPage page(world.Context());
    ASSERT_TRUE(Radio(page, "month")->isChecked()) << "the month report unless the settings say otherwise";
    ASSERT_EQ(List(page)->GetItemCount(), 2);
    // 306 steps in 3 active minutes (2 minutes from the first): 0.214 km at 6.426 km/h, 2.55
    // steps a second, 13.061 kcal for 60 kg (worked out in the report builder's test).
    EXPECT_EQ(Row(page, 0),
              (QStringList{"   1", "2014/05/03", "306   ", "2.55   ", "0.214   ", "6.426   ", "13.061   "}));
    const QAbstractItemModel* model = List(page)->model();
    EXPECT_EQ(model->index(0, 4).data(Qt::BackgroundRole).value<QColor>(), QColor(220, 200, 255));
    EXPECT_EQ(model->index(1, 6).data(Qt::BackgroundRole).value<QColor>(), QColor(220, 255, 200));
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Cadence")
        << "not \"Not found KiroMeter2 FlashDisk\"";
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Hours");
    // The columns take the widths they are given, wider where a heading needs it; the date
    // column, widened at the first refresh, gives that room back, and the list keeps its width.
    int total = 0;
    for (int column = 0; column < 7; ++column) {
        EXPECT_GE(List(page)->columnWidth(column), List(page)->HeadingWidth(column)) << column;
        total += List(page)->columnWidth(column);
    }
    EXPECT_EQ(total, 50 + 180 + 80 + 80 + 80 + 100 + 80);
    EXPECT_GT(List(page)->columnWidth(1), 170) << "the date column widens at the first refresh";
    EXPECT_EQ(Radio(page, "month")->text(), "Month Report");
    EXPECT_TRUE(Radio(page, "week")->isHidden());
    EXPECT_FALSE(Radio(page, "week")->isEnabled());
    EXPECT_EQ(Button(page, "sleepButton")->text(), "Sleep Quaility");
}

// The threshold is typed on another page: the report shows it when it is shown next, without a
// toggle of the mode.
TEST_F(ReportPageTest, ANewSlightMoveThresholdShowsWhenThePageIsShownAgain) {
    world.Store(2014, 5, 3, 600, {100, 5, 200, 6});
    CReportPage page(world.Context());
    page.show();
    ASSERT_EQ(List(page)->GetItemText(0, 2), "306   ");
    page.hide();
    world.app.Config().SetSlightMoving(6);
    page.show();
    EXPECT_EQ(List(page)->GetItemText(0, 2), "300   ") << "6 steps a minute is a slight move now";
}

TEST_F(ReportPageTest, TheModeIsKeptInTheSettingsAndAWeekComesFromThemAlone) {
    world.Store(2014, 5, 18, 600, {100});  // Sunday of the selected date's week
    {
        CReportPage page(world.Context());
        Radio(page, "day")->click();
        EXPECT_EQ(world.app.Config().ReadReportMode(), 2);
        EXPECT_EQ(List(page)->GetItemCount(), 0) << "nothing on 20 May itself";
    }
    world.app.Config().WriteReportMode(1);
    CReportPage page(world.Context());
    ASSERT_TRUE(Radio(page, "week")->isChecked()) << "kept, though its radio is hidden";
    ASSERT_EQ(List(page)->GetItemCount(), 1);
    EXPECT_EQ(List(page)->GetItemText(0, 1), "2014/05/18 10:00 ~ 10:00");
}

TEST_F(ReportPageTest, DeletingARowZeroesItsDayOrExactlyItsPeriodAfterTheQuestion) {
    world.Store(2014, 5, 20, 600, {100, 100, 0, 0, 100});
    world.Store(2014, 5, 21, 0, {50});
    world.app.Config().WriteReportMode(2);
    CReportPage page(world.Context());
    ASSERT_EQ(List(page)->GetItemCount(), 2);
    Select(page, 1);
    world.host.answers = {false};
    Button(page, "deleteButton")->click();
    EXPECT_EQ(world.host.Lines("question: "),
              std::vector<std::string>{"question: Item-2, Confirm DELETE ?(Y/N)"});
    EXPECT_EQ(MinutesWithSteps(2014, 5, 20), 3) << "No keeps the data";
    Select(page, 1);
    Button(page, "deleteButton")->click();
    EXPECT_EQ(MinutesWithSteps(2014, 5, 20), 2) << "the second period, 10:04, only";
    EXPECT_EQ(List(page)->GetItemCount(), 1) << "and the page shows it at once";

    world.app.Config().SetAutoConfirm(true);
    Radio(page, "month")->click();
    ASSERT_EQ(List(page)->GetItemCount(), 2);
    Select(page, 0);
    Button(page, "deleteButton")->click();
    EXPECT_EQ(world.host.Lines("question: ").size(), 2u) << "AutoConfirm asks nothing";
    EXPECT_EQ(MinutesWithSteps(2014, 5, 20), 0) << "a month row is the whole day";
    EXPECT_EQ(MinutesWithSteps(2014, 5, 21), 1);
}

TEST_F(ReportPageTest, ADateInTheSameMonthDoesNotReadTheStoreAgain) {
    world.Store(2014, 5, 3, 600, {100});
    CReportPage page(world.Context());
    const int reads = world.files.ReadsOf("Kiro201405.BIN");
    world.app.selectedDate.day = 3;
    page.OnDataChanged();
    EXPECT_EQ(world.files.ReadsOf("Kiro201405.BIN"), reads);
    world.app.selectedDate = LocalTime{2014, 6, 3, 0, 0, 0, 2};
    page.OnDataChanged();
    EXPECT_GT(world.files.ReadsOf("Kiro201406.BIN"), 0) << "another month is read";
    const int juneReads = world.files.ReadsOf("Kiro201406.BIN");
    page.OnLanguageChanged();
    EXPECT_GT(world.files.ReadsOf("Kiro201406.BIN"), juneReads) << "a change of language reads it again";
}

TEST_F(ReportPageTest, AWatchOfMinutesShowsBarsInTheMonth) {
    world.Store(2014, 5, 10, 600, {1000});
    // Idle hours: the lines of a period watch run along the zero line, bars of no height draw
    // nothing there.
    const auto zeroLinePainted = [](const CReportPage& page) {
        const CGraphCtrl* graph = test::Named<CGraphCtrl>(page, "reportGraph");
        const QImage plot = graph->Render();
        const PlotEdges edges = graph->Plot();
        const int x = edges.left + static_cast<int>(19.5 * edges.Width() / (31.99 - 1.0));  // 20 May, noon
        return (plot.pixel(x, edges.bottom) & RGB_MASK) != test::Rgb(0, 0, 64);  // not the background
    };
    EXPECT_TRUE(zeroLinePainted(CReportPage(world.Context())));
    world.app.Config().SetDisplayMode(1);
    EXPECT_FALSE(zeroLinePainted(CReportPage(world.Context())));
}

TEST_F(ReportPageTest, TheSleepButtonOpensTheNightOfTheSelectedDate) {
    CReportPage page(world.Context());
    bool checked = false;
    QTimer::singleShot(0, &page, [&] {
        auto* dialog = qobject_cast<CSleepDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Session().Position().day, 20);
        EXPECT_EQ(dialog->windowTitle(), "2014-5-20 Sleep Quaility ...");
        checked = true;
        dialog->reject();
    });
    Button(page, "sleepButton")->click();
    EXPECT_TRUE(checked);
}

QAction* Action(const CReportPage& page, const char* name) {
    return test::Named<QAction>(page, name);
}

// Steps on days of three months of 2014: 100 in January, 306 (and a slight move) in May, 1200
// on two days of December.
void StoreYear(test::PageWorld& world) {
    world.Store(2014, 1, 10, 600, {100});
    world.Store(2014, 5, 3, 600, {100, 5, 200, 6});
    world.Store(2014, 12, 24, 600, {500});
    world.Store(2014, 12, 31, 1439, {700});
}

TEST_F(ReportPageTest, TheGraphsMenuShowsTheYearUntilADayOrAModeIsChosen) {
    StoreYear(world);
    CReportPage page(world.Context());
    page.show();
    CGraphCtrl* graph = test::Named<CGraphCtrl>(page, "reportGraph");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(40, 40), graph->mapToGlobal(QPoint(40, 40)));
    QApplication::sendEvent(graph, &click);
    ASSERT_TRUE(page.GraphMenu()->isVisible()) << "a right click on the graph opens its menu";
    EXPECT_EQ(Action(page, "yearViewAction")->text(), "Year view");
    EXPECT_EQ(Action(page, "savePictureAction")->text(), "Save picture...");
    page.GraphMenu()->hide();

    Action(page, "yearViewAction")->trigger();
    ASSERT_TRUE(page.InYearView());
    ASSERT_EQ(List(page)->GetItemCount(), 12) << "a row for each month";
    // May: 306 steps on its one day, worked out as the month report works out 3 May.
    EXPECT_EQ(Row(page, 4),
              (QStringList{"   5", "2014/05", "306   ", "0.214   ", "13.061   ", "1   ", "2014/05/03   "}));
    // 500 and 700 steps in a minute each: 60 kg x 0.1875 x 21 (and 29.4) km/h / 15 = 15.75 + 22.05 kcal.
    EXPECT_EQ(Row(page, 11),
              (QStringList{"   12", "2014/12", "1200   ", "0.840   ", "37.800   ", "2   ", "2014/12/31   "}));
    EXPECT_EQ(Row(page, 1)[2], "0   ");
    EXPECT_EQ(List(page)->model()->headerData(1, Qt::Horizontal).toString(), "Month");
    EXPECT_EQ(List(page)->model()->headerData(5, Qt::Horizontal).toString(), "Active days");
    EXPECT_FALSE(Button(page, "deleteButton")->isEnabled()) << "a month is not deleted from a row";
    EXPECT_TRUE(Action(page, "yearViewAction")->isChecked());
    // Twelve bars on a scale of 2000: December's top edge is drawn, a month without steps has none.
    const PlotEdges plot = graph->Plot();
    const auto pixel = [&](double month, double steps) {
        return test::PixelAt(*graph, test::ColumnOf(plot, month, 1.0, 12.99),
                             test::RowOf(plot, steps, 0, 2000));
    };
    EXPECT_EQ(pixel(12.5, 1200), test::Rgb(200, 50, 50) | test::Rgb(0, 0, 64));
    EXPECT_EQ(pixel(2.5, 0), test::Rgb(0, 0, 64)) << "no bar, not even one of no height";
    bool monthsCaption = false;
    for (const ChartLabel& label : graph->Labels()) monthsCaption = monthsCaption || label.text == "Months";
    EXPECT_TRUE(monthsCaption);

    // Data stored meanwhile shows in the year; the day stays.
    world.Store(2014, 2, 1, 0, {50});
    page.OnDataChanged();
    ASSERT_TRUE(page.InYearView());
    EXPECT_EQ(Row(page, 1)[2], "50   ");

    // Another day picked: its month again.
    world.app.selectedDate = LocalTime{2014, 12, 24, 0, 0, 0, 3};
    page.OnDataChanged();
    EXPECT_FALSE(page.InYearView());
    EXPECT_EQ(List(page)->GetItemCount(), 2);
    EXPECT_EQ(List(page)->model()->headerData(1, Qt::Horizontal).toString(), "Hours");
    EXPECT_TRUE(Button(page, "deleteButton")->isEnabled());

    // A mode picked, even the one shown: its report again.
    Action(page, "yearViewAction")->trigger();
    ASSERT_TRUE(page.InYearView());
    Radio(page, "month")->click();
    EXPECT_FALSE(page.InYearView());
    EXPECT_FALSE(Action(page, "yearViewAction")->isChecked());
    EXPECT_EQ(List(page)->GetItemCount(), 2);
}

// The picture of the graph is what the window shows: the PNG to the pixel, the SVG in the same
// places and colours.
TEST_F(ReportPageTest, SavePictureWritesTheGraphAsPngOrSvg) {
    StoreYear(world);
    world.app.selectedDate = LocalTime{2014, 12, 24, 0, 0, 0, 3};
    CReportPage page(world.Context());
    page.show();
    const CGraphCtrl* graph = test::Named<CGraphCtrl>(page, "reportGraph");
    QString chosen;
    page.choosePictureFile = [&chosen] { return std::optional<QString>(chosen); };

    chosen = QString::fromStdString(world.folder.File("month.png"));
    Action(page, "savePictureAction")->trigger();
    const QImage png(chosen);
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              graph->Render().convertToFormat(QImage::Format_RGB32));

    chosen = QString::fromStdString(world.folder.File("month.svg"));
    Action(page, "savePictureAction")->trigger();
    const QByteArray svg = QByteArray::fromStdString(kiro::test::TempFolder::ReadFile(chosen.toStdString()));
    QXmlStreamReader xml(svg);
    int marked = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.attributes().value("class") == u"unit steps")
            ++marked;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(marked, 2) << "24 and 31 December";
#if KIRO_QT_HAS_SVG
    // Drawn by a renderer of its own, the frame and the plotted lines fall on the window's pixels.
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(graph->Render().size(), QImage::Format_RGB32);
    QPainter painter(&drawn);
    // As a picture viewer draws it: a line of one pixel on the pixel's centre covers that pixel.
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    const PlotEdges plot = graph->Plot();
    const QImage shown = graph->Render();
    for (const QPoint& at : {QPoint(plot.left, plot.top + 5), QPoint(plot.right + 1, plot.bottom - 5),
                             QPoint((plot.left + plot.right) / 2, plot.bottom + 1)})
        EXPECT_EQ(test::PixelOf(drawn, at.x(), at.y()), test::PixelOf(shown, at.x(), at.y()))
            << at.x() << "," << at.y();
    // Its renderer smooths slanted lines over two pixels, at half the colour: a line of the window
    // has one of the picture's within a pixel.
    const auto plotRed = [&drawn](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QRgb pixel = drawn.pixel(x + dx, y + dy);
                if (qRed(pixel) > 60 && qGreen(pixel) < qRed(pixel) / 2) return true;
            }
        return false;
    };
    int plotted = 0, matched = 0;
    for (int y = plot.top + 1; y < plot.bottom; ++y)
        for (int x = plot.left + 1; x < plot.right; ++x) {
            if (test::PixelOf(shown, x, y) != (test::Rgb(200, 50, 50) | test::Rgb(0, 0, 64))) continue;
            ++plotted;
            matched += plotRed(x, y) ? 1 : 0;
        }
    ASSERT_GT(plotted, 20);
    EXPECT_EQ(matched, plotted) << "the lines of the picture lie where the window draws them";
#endif  // A Qt without its SVG module (the one built for Windows) reads the picture as XML only.

    chosen = QString::fromStdString(world.folder.File("no/such/folder/month.png"));
    Action(page, "savePictureAction")->trigger();
    ASSERT_EQ(world.host.Lines("message: ").size(), 1u);
    EXPECT_EQ(world.host.Lines("message: ")[0].rfind("message: The picture could not be saved in ", 0), 0u);
}

}  // namespace
}  // namespace kiro::gui
