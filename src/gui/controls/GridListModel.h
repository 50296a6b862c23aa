#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QPixmap>
#include <QString>
#include <vector>

namespace kiro::gui {

// One cell of the extended list: its text, the image it shows (-1 for none) and its background
// (an invalid colour for the list's own).
struct GridCell {
    QString text;
    int image = -1;
    QColor background;
};

// The rows of the extended list. Each row holds exactly one cell per column, so a column
// inserted or deleted moves texts, images and colours together and they cannot drift apart.
class GridListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Index in 0..columns; every row gets a default cell there.
    void InsertColumn(int index, const QString& heading, Qt::Alignment alignment);
    void RemoveColumn(int index);
    void SetHeading(int index, const QString& heading);
    // Index in 0..rows; the row gets `text` in column 0 and default cells.
    void InsertRow(int index, const QString& text);
    void RemoveAllRows();

    // The cell at (row, column), which must exist.
    const GridCell& Cell(int row, int column) const { return rows_[row][column]; }
    void SetText(int row, int column, const QString& text);
    void SetImage(int row, int column, int image);
    // Sets the background of the cells in the inclusive ranges.
    void SetBackground(int firstRow, int lastRow, int firstColumn, int lastColumn, const QColor& colour);
    void SetImages(std::vector<QPixmap> images);

    // Puts the rows in the order given (order[k] is the row that becomes row k); selection and
    // current cell travel with their rows.
    void Reorder(const std::vector<int>& order);

  private:
    struct Column {
        QString heading;
        Qt::Alignment alignment;
    };

    std::vector<Column> columns_;
    std::vector<std::vector<GridCell>> rows_;
    std::vector<QPixmap> images_;
};

}  // namespace kiro::gui
