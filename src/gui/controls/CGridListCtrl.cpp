#include "gui/controls/CGridListCtrl.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>
#include <numeric>
#include <vector>

#include "gui/controls/CentredImageDelegate.h"
#include "gui/controls/ImageStrip.h"
#include "gui/controls/ListTextOrder.h"

namespace kiro::gui {
namespace {
constexpr int kImageSize = 16;
}  // namespace

CGridListCtrl::CGridListCtrl(QWidget* parent) : QTableView(parent), rows_(new GridListModel(this)) {
    setModel(rows_);
    setItemDelegate(new CentredImageDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    // Arrow keys move between cells; Tab goes on to the next control instead of through every cell.
    setTabKeyNavigation(false);
    setIconSize(QSize(kImageSize, kImageSize));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height(), kImageSize) + 2);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(0);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CGridListCtrl::SortOnHeaderClick);
}

int CGridListCtrl::InsertColumn(int index, const QString& heading, Qt::Alignment alignment, int width) {
    if (index < 0) return -1;
    index = std::min(index, GetColumnCount());
    rows_->InsertColumn(index, heading, alignment);
    if (width >= 0) setColumnWidth(index, width);
    return index;
}

bool CGridListCtrl::DeleteColumn(int index) {
    if (index < 0 || index >= GetColumnCount()) return false;
    rows_->RemoveColumn(index);
    return true;
}

bool CGridListCtrl::SetColumnHeading(int index, const QString& heading) {
    if (index < 0 || index >= GetColumnCount()) return false;
    rows_->SetHeading(index, heading);
    return true;
}

int CGridListCtrl::HeadingWidth(int index) const {
    const QHeaderView* header = horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QString heading = rows_->headerData(index, Qt::Horizontal, Qt::DisplayRole).toString();
    return QFontMetrics(header->font()).horizontalAdvance(heading) + 2 * margin;
}

int CGridListCtrl::GetColumnCount() const {
    return rows_->columnCount();
}

int CGridListCtrl::InsertItem(int index, const QString& text) {
    if (index < 0) return -1;
    index = std::min(index, GetItemCount());
    ResetSortOrder();
    rows_->InsertRow(index, text);
    return index;
}

bool CGridListCtrl::SetItemText(int row, int column, const QString& text) {
    if (!HasCell(row, column)) return false;
    ResetSortOrder();
    rows_->SetText(row, column, text);
    return true;
}

QString CGridListCtrl::GetItemText(int row, int column) const {
    return HasCell(row, column) ? rows_->Cell(row, column).text : QString();
}

bool CGridListCtrl::SetItemImage(int row, int column, int image) {
    if (!HasCell(row, column)) return false;
    rows_->SetImage(row, column, image);
    return true;
}

int CGridListCtrl::GetItemImage(int row, int column) const {
    return HasCell(row, column) ? rows_->Cell(row, column).image : -1;
}

void CGridListCtrl::SetCellBackground(int row, int column, const QColor& colour, bool redraw) {
    const bool allRows = row < 0 || row >= GetItemCount();
    const bool allColumns = column < 0 || column >= GetColumnCount();
    rows_->SetBackground(allRows ? 0 : row, allRows ? GetItemCount() - 1 : row, allColumns ? 0 : column,
                         allColumns ? GetColumnCount() - 1 : column, colour);
    if (redraw) viewport()->repaint();
}

int CGridListCtrl::GetItemCount() const {
    return rows_->rowCount();
}

int CGridListCtrl::DeleteAllItems() {
    const int count = GetItemCount();
    rows_->RemoveAllRows();
    return count;
}

void CGridListCtrl::SetRows(int count, GridListModel::RowMaker make) {
    ResetSortOrder();
    rows_->ResetRows(std::max(count, 0), std::move(make));
}

void CGridListCtrl::SetGridLines(bool on) {
    setShowGrid(on);
}

bool CGridListCtrl::SetImageList(const QString& stripPath, QRgb maskColour) {
    const QImage strip(stripPath);
    if (strip.isNull()) return false;
    rows_->SetImages(CutImageStrip(strip, kImageSize, maskColour));
    return true;
}

void CGridListCtrl::keyPressEvent(QKeyEvent* event) {
    // The space bar would select or toggle rows; in this list it only tells of the current cell.
    if (event->key() == Qt::Key_Space) {
        event->accept();
        if (currentIndex().isValid()) emit SpacePressed(currentIndex().row(), currentIndex().column());
        return;
    }
    QTableView::keyPressEvent(event);
}

void CGridListCtrl::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    emit Clicked(rowAt(at.y()), columnAt(at.x()));
}

void CGridListCtrl::SortOnHeaderClick(int column) {
    if (column < 0 || column >= GetColumnCount() || horizontalHeader()->isHidden()) return;
    // Clicking one column again toggles the order; another column starts ascending.
    const bool ascending = column != sortColumn_ || !sortAscending_;
    sortColumn_ = column;
    sortAscending_ = ascending;

    const CellSortKeyReader reader{QLocale(), sortEncoder_};
    if (GetItemCount() < 2) {
        emit Sorted(column, ascending);
        return;
    }
    std::vector<CellSortKey> keys;
    keys.reserve(GetItemCount());
    for (int row = 0; row < GetItemCount(); ++row) keys.push_back(reader.Read(rows_->Cell(row, column).text));
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    QuickSort(order, [&](int a, int b) {
        const int byText = CompareCellSortKeys(keys[a], keys[b]);
        return ascending ? byText : -byText;
    });
    rows_->Reorder(order);
    emit Sorted(column, ascending);
}

void CGridListCtrl::ResetSortOrder() {
    sortColumn_ = -1;
    sortAscending_ = true;
}

bool CGridListCtrl::HasCell(int row, int column) const {
    return row >= 0 && row < GetItemCount() && column >= 0 && column < GetColumnCount();
}

}  // namespace kiro::gui
