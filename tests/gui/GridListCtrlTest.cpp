#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "GuiTestSupport.h"
#include "gui/controls/CGridListCtrl.h"
#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {

class GridListCtrlTest : public test::GuiTest {
  protected:
    void SetUp() override {
        list.resize(400, 300);
        list.InsertColumn(0, "No.", Qt::AlignRight, 60);
        list.InsertColumn(1, "Value", Qt::AlignRight, 100);
        list.InsertColumn(2, "Note", Qt::AlignLeft, 100);
    }

    void AddRows(const QStringList& values) {
        for (const QString& value : values) {
            const int row = list.InsertItem(list.GetItemCount(), QString::number(list.GetItemCount() + 1));
            list.SetItemText(row, 1, value);
        }
    }

    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < list.GetItemCount(); ++row) texts << list.GetItemText(row, column);
        return texts;
    }

    QColor Background(int row, int column) const {
        const QVariant brush = list.model()->index(row, column).data(Qt::BackgroundRole);
        return brush.isValid() ? brush.value<QBrush>().color() : QColor();
    }

    void ClickHeader(int column) {
        QHeaderView* header = list.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    CGridListCtrl list;
};

TEST_F(GridListCtrlTest, HeaderClicksToggleTheOrderAndChangesResetIt) {
    AddRows({"10", "9", "100"});
    list.show();
    QSignalSpy sorted(&list, &CGridListCtrl::Sorted);

    ClickHeader(1);
    EXPECT_EQ(Column(1), QStringList({"9", "10", "100"}));
    ClickHeader(1);
    EXPECT_EQ(Column(1), QStringList({"100", "10", "9"}));
    ClickHeader(1);
    EXPECT_EQ(Column(1), QStringList({"9", "10", "100"}));
    ClickHeader(1);  // descending
    list.InsertItem(3, "4");
    list.SetItemText(3, 1, "50");
    ClickHeader(1);  // a new row resets: ascending again
    EXPECT_EQ(Column(1), QStringList({"9", "10", "50", "100"}));
    ClickHeader(1);
    list.SetItemText(0, 2, "note");
    ClickHeader(1);  // a changed text resets too
    EXPECT_EQ(Column(1), QStringList({"9", "10", "50", "100"}));
    ClickHeader(0);  // another column starts ascending
    EXPECT_EQ(Column(0), QStringList({"1", "2", "3", "4"}));

    ASSERT_EQ(sorted.count(), 8);
    const bool ascendingFlags[] = {true, false, true, false, true, false, true, true};
    for (int i = 0; i < sorted.count(); ++i) EXPECT_EQ(sorted[i][1].toBool(), ascendingFlags[i]) << i;
    EXPECT_EQ(sorted.last()[0].toInt(), 0);
}

TEST_F(GridListCtrlTest, SortingCarriesTheWholeRow) {
    AddRows({"10", "9", "100"});
    list.SetCellBackground(0, -1, QColor(255, 0, 0), false);  // the row holding "10"
    list.SetItemImage(0, 2, 4);
    list.selectRow(0);
    list.show();
    ClickHeader(1);
    ASSERT_EQ(Column(1), QStringList({"9", "10", "100"}));
    EXPECT_EQ(list.GetItemText(1, 0), "1");
    EXPECT_EQ(Background(1, 2), QColor(255, 0, 0));
    EXPECT_FALSE(Background(0, 2).isValid());
    EXPECT_EQ(list.GetItemImage(1, 2), 4);
    EXPECT_EQ(list.GetItemImage(0, 2), -1);
    EXPECT_EQ(list.currentIndex().row(), 1);
    EXPECT_TRUE(list.selectionModel()->isRowSelected(1, {}));
    EXPECT_FALSE(list.selectionModel()->isRowSelected(0, {}));
}

// Rows given by a maker: a long list makes only the rows it shows, and whatever reads, sorts or
// changes a row makes it first, so that what is seen is what eager rows would have shown.
TEST_F(GridListCtrlTest, RowsFromAMakerAreMadeWhenShownReadOrSorted) {
    std::vector<int> made;
    const int count = 500;
    list.SetRows(count, [&made](int source) {
        made.push_back(source);
        // Values falling with the row, so that an ascending sort turns the list around.
        std::vector<GridCell> cells(2);
        cells[0].text = QString::number(source + 1);
        cells[1].text = QString::number((count - source) * 10);
        cells[1].background = QColor(source % 2 ? Qt::green : Qt::blue);
        return cells;
    });
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QApplication::processEvents();
    EXPECT_EQ(list.GetItemCount(), count);
    EXPECT_FALSE(made.empty()) << "the rows in view are made to be drawn";
    EXPECT_LT(made.size(), 50u) << "a screenful, not the whole list";

    EXPECT_EQ(list.GetItemText(400, 1), "1000");
    EXPECT_EQ(list.GetItemText(400, 2), "") << "a cell the maker left out is a default one";
    EXPECT_EQ(Background(401, 1), QColor(Qt::green));
    EXPECT_TRUE(list.SetItemText(450, 2, "changed"));
    EXPECT_EQ(list.GetItemText(450, 0), "451") << "a changed row keeps what its maker gave";

    ClickHeader(1);
    EXPECT_EQ(made.size(), static_cast<size_t>(count)) << "sorting reads every row";
    EXPECT_EQ(list.GetItemText(0, 1), "10");
    EXPECT_EQ(list.GetItemText(0, 0), "500") << "the whole row moved";
    EXPECT_EQ(list.GetItemText(count - 1, 1), "5000");
    EXPECT_EQ(list.GetItemText(count - 1 - 450, 2), "changed");

    list.InsertItem(0, "first");
    EXPECT_EQ(list.GetItemText(0, 0), "first");
    EXPECT_EQ(list.GetItemText(1, 1), "10") << "an inserted row pushes made rows down";
    EXPECT_EQ(list.DeleteAllItems(), count + 1);

    // A row inserted before rows not yet made leaves each of them its own cells.
    list.hide();
    list.SetRows(3, [](int source) {
        std::vector<GridCell> cells(1);
        cells[0].text = QString::number(source + 1);
        return cells;
    });
    list.InsertItem(1, "inserted");
    EXPECT_EQ(Column(0), QStringList({"1", "inserted", "2", "3"}));
}

TEST_F(GridListCtrlTest, ColoursMoveWithInsertedAndDeletedColumns) {
    AddRows({"1", "2"});
    list.SetCellBackground(-1, 2, QColor(0, 200, 0), false);
    EXPECT_EQ(Background(0, 2), QColor(0, 200, 0));
    EXPECT_EQ(Background(1, 2), QColor(0, 200, 0));
    EXPECT_FALSE(Background(0, 1).isValid());

    ASSERT_EQ(list.InsertColumn(0, "New"), 0);
    EXPECT_FALSE(Background(0, 0).isValid());
    EXPECT_EQ(Background(0, 3), QColor(0, 200, 0));
    EXPECT_FALSE(Background(0, 2).isValid());
    EXPECT_EQ(list.GetItemText(0, 2), "1");

    ASSERT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(Background(1, 2), QColor(0, 200, 0));
    EXPECT_EQ(list.GetItemText(1, 1), "2");
    EXPECT_FALSE(list.DeleteColumn(3));
    EXPECT_EQ(list.InsertColumn(99, "Last"), 3);
}

TEST_F(GridListCtrlTest, CellBackgroundRangesMeanAll) {
    AddRows({"1", "2", "3"});
    list.SetCellBackground(1, 99, QColor(1, 2, 3), false);
    for (int column = 0; column < 3; ++column) EXPECT_EQ(Background(1, column), QColor(1, 2, 3));
    EXPECT_FALSE(Background(0, 0).isValid());
    list.SetCellBackground(-1, -1, QColor(4, 5, 6), true);
    EXPECT_EQ(Background(2, 1), QColor(4, 5, 6));
    list.SetCellBackground(2, 1, QColor(), false);  // back to the list's own colour
    EXPECT_FALSE(Background(2, 1).isValid());
}

TEST_F(GridListCtrlTest, OutOfRangeCellsChangeNothing) {
    AddRows({"1"});
    EXPECT_FALSE(list.SetItemText(1, 0, "x"));
    EXPECT_FALSE(list.SetItemText(0, 3, "x"));
    EXPECT_FALSE(list.SetItemImage(-1, 0, 2));
    EXPECT_EQ(list.GetItemImage(0, 7), -1);
    EXPECT_EQ(list.InsertItem(-1, "x"), -1);
    EXPECT_EQ(list.InsertItem(50, "x"), 1);  // past the end appends
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.DeleteAllItems(), 2);
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(GridListCtrlTest, ClicksNameRowAndColumn) {
    AddRows({"1", "2"});
    list.show();
    QSignalSpy clicks(&list, &CGridListCtrl::Clicked);
    const QRect cell = list.visualRect(list.model()->index(1, 2));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(cell.center().x(), 250));
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, cell.center());
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks[0][0].toInt(), 1);
    EXPECT_EQ(clicks[0][1].toInt(), 2);
    EXPECT_EQ(clicks[1][0].toInt(), -1);
    EXPECT_EQ(clicks[1][1].toInt(), 2);
}

TEST_F(GridListCtrlTest, SpaceBarDoesNothing) {
    AddRows({"1", "2"});
    list.show();
    list.selectionModel()->setCurrentIndex(list.model()->index(1, 0), QItemSelectionModel::NoUpdate);
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_FALSE(list.selectionModel()->hasSelection());
    QTest::keyClick(&list, Qt::Key_Up);  // other keys still work
    EXPECT_TRUE(list.selectionModel()->isRowSelected(0, {}));
}

TEST_F(GridListCtrlTest, CellImagesComeFromTheDotStrip) {
    ASSERT_TRUE(list.SetImageList(pictures::kDotStrip, qRgb(255, 0, 255)));
    AddRows({"1"});
    list.SetItemImage(0, 2, pictures::kDotOn);
    EXPECT_EQ(list.GetItemImage(0, 2), pictures::kDotOn);
    const QImage on = list.model()->index(0, 2).data(Qt::DecorationRole).value<QPixmap>().toImage();
    ASSERT_EQ(on.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(on.pixel(0, 0)), 0);  // magenta corner is transparent
    EXPECT_EQ(qAlpha(on.pixel(8, 8)), 255);
    list.SetItemImage(0, 2, 7);  // no such image: nothing shown
    EXPECT_FALSE(list.model()->index(0, 2).data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(list.SetImageList(":/kiro/missing.png", 0));
}

}  // namespace
}  // namespace kiro::gui
