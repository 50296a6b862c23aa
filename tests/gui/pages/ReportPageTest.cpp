// The report page through its widgets: what it lists and draws, the mode kept in the settings,
// deleting rows, and when it reads the store again.
#include "gui/pages/CReportPage.h"

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QTest>
#include <QTimer>

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

}  // namespace
}  // namespace kiro::gui
