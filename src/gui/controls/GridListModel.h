#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QPixmap>
#include <QString>
#include <functional>
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
// Rows given by a maker get their cells when first needed (shown, read, sorted or changed): a
// list of hundreds of rows makes only the screenful it shows.
class GridListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The cells of row `source` of a set of rows; missing cells are default ones.
    using RowMaker = std::function<std::vector<GridCell>(int source)>;

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
    // Replaces every row by `count` rows that `make` gives the cells of.
    void ResetRows(int count, RowMaker make);

    // The cell at (row, column), which must exist.
    const GridCell& Cell(int row, int column) const { return Made(row).cells[column]; }
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
    struct Row {
        std::vector<GridCell> cells;
        int unmade = -1;  // the maker's row whose cells this row still waits for, or -1
    };

    // The row, its cells made first when they were not yet.
    Row& Made(int row) const;
    void MakeAll() const;

    std::vector<Column> columns_;
    // Mutable: a row's cells are made the first time anything reads them.
    mutable std::vector<Row> rows_;
    RowMaker maker_;
    std::vector<QPixmap> images_;
};

}  // namespace kiro::gui
