#include "gui/controls/GridListModel.h"

#include <QBrush>

namespace kiro::gui {

int GridListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GridListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const GridCell& cell = Cell(index.row(), index.column());
    switch (role) {
        case Qt::DisplayRole:
            return cell.text;
        case Qt::DecorationRole:
            if (cell.image >= 0 && cell.image < static_cast<int>(images_.size())) return images_[cell.image];
            return {};
        case Qt::BackgroundRole:
            return cell.background.isValid() ? QVariant(QBrush(cell.background)) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(columns_[index.column()].alignment | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant GridListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return columns_[section].heading;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[section].alignment | Qt::AlignVCenter);
    return {};
}

GridListModel::Row& GridListModel::Made(int row) const {
    Row& made = rows_[row];
    if (made.unmade >= 0) {
        made.cells = maker_(made.unmade);
        made.cells.resize(columns_.size());
        made.unmade = -1;
    }
    return made;
}

void GridListModel::MakeAll() const {
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) Made(row);
}

void GridListModel::InsertColumn(int index, const QString& heading, Qt::Alignment alignment) {
    MakeAll();
    beginInsertColumns({}, index, index);
    columns_.insert(columns_.begin() + index, Column{heading, alignment});
    for (Row& row : rows_) row.cells.insert(row.cells.begin() + index, GridCell{});
    endInsertColumns();
}

void GridListModel::SetHeading(int index, const QString& heading) {
    columns_[index].heading = heading;
    emit headerDataChanged(Qt::Horizontal, index, index);
}

void GridListModel::RemoveColumn(int index) {
    MakeAll();
    beginRemoveColumns({}, index, index);
    columns_.erase(columns_.begin() + index);
    for (Row& row : rows_) row.cells.erase(row.cells.begin() + index);
    endRemoveColumns();
}

void GridListModel::InsertRow(int index, const QString& text) {
    beginInsertRows({}, index, index);
    Row row{std::vector<GridCell>(columns_.size())};
    if (!row.cells.empty()) row.cells[0].text = text;
    rows_.insert(rows_.begin() + index, std::move(row));
    endInsertRows();
}

void GridListModel::RemoveAllRows() {
    beginResetModel();
    rows_.clear();
    maker_ = nullptr;
    endResetModel();
}

void GridListModel::ResetRows(int count, RowMaker make) {
    beginResetModel();
    maker_ = std::move(make);
    rows_.assign(static_cast<size_t>(count), Row{});
    for (int row = 0; row < count; ++row) rows_[row].unmade = row;
    endResetModel();
}

void GridListModel::SetText(int row, int column, const QString& text) {
    Made(row).cells[column].text = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void GridListModel::SetImage(int row, int column, int image) {
    Made(row).cells[column].image = image;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DecorationRole});
}

void GridListModel::SetBackground(int firstRow, int lastRow, int firstColumn, int lastColumn,
                                  const QColor& colour) {
    if (firstRow > lastRow || firstColumn > lastColumn) return;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column)
            Made(row).cells[column].background = colour;
    }
    emit dataChanged(index(firstRow, firstColumn), index(lastRow, lastColumn), {Qt::BackgroundRole});
}

void GridListModel::SetImages(std::vector<QPixmap> images) {
    images_ = std::move(images);
    if (!rows_.empty() && !columns_.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DecorationRole});
    }
}

void GridListModel::Reorder(const std::vector<int>& order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(order.size());
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        sorted.push_back(std::move(rows_[order[k]]));
        newRowOf[order[k]] = static_cast<int>(k);
    }
    rows_ = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) after.append(index(newRowOf[old.row()], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace kiro::gui
