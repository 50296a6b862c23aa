#pragma once
#include <QColor>
#include <QRgb>
#include <QString>
#include <QTableView>

#include "gui/controls/GridListModel.h"
#include "gui/controls/ListTextOrder.h"

namespace kiro::gui {

// The program's list: rows and columns under a clickable header, a background colour per cell,
// images per cell from a strip, and sorting by a click on a column header that recognises
// numbers and dates. Rows and columns count from 0; a row or column outside the list makes an
// operation fail without changing anything, except where "all" is said.
class CGridListCtrl : public QTableView {
    Q_OBJECT
  public:
    explicit CGridListCtrl(QWidget* parent = nullptr);

    // Inserts a column (an index past the end appends) with a heading, an alignment for its
    // cells and a width in pixels (negative keeps the default). Returns its index or -1.
    int InsertColumn(int index, const QString& heading, Qt::Alignment alignment = Qt::AlignLeft,
                     int width = -1);
    bool DeleteColumn(int index);
    // A new heading for a column, as a header item's text set again.
    bool SetColumnHeading(int index, const QString& heading);
    // The width a column needs for its heading to show whole.
    int HeadingWidth(int index) const;
    int GetColumnCount() const;

    // Inserts a row (an index past the end appends) with `text` in column 0, so the columns come
    // first. Returns its index or -1. The next header click sorts ascending again.
    int InsertItem(int index, const QString& text);
    // The next header click sorts ascending again.
    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    bool SetItemImage(int row, int column, int image);
    // The image of a cell, or -1 for none or a cell that does not exist.
    int GetItemImage(int row, int column) const;
    // A row outside the list means every row, a column outside it every column; an invalid
    // colour means the list's own background. With redraw the list repaints at once.
    void SetCellBackground(int row, int column, const QColor& colour, bool redraw);
    int GetItemCount() const;
    // Returns how many rows there were.
    int DeleteAllItems();
    // Replaces every row by `count` rows whose cells `make` gives when they are first shown, read
    // or sorted. The next header click sorts ascending again.
    void SetRows(int count, GridListModel::RowMaker make);
    void SetGridLines(bool on);
    // How texts are compared when sorting: the bytes of the current language's code page. Without
    // it, UTF-8 (the same order for ASCII texts).
    void SetSortEncoder(CodePageEncoder encode) { sortEncoder_ = std::move(encode); }
    // Cell images from a strip of 16-pixel-wide pictures (a resource path), `maskColour`
    // transparent. False when the picture cannot be read.
    bool SetImageList(const QString& stripPath, QRgb maskColour);

  signals:
    // A left click; row is -1 when the click hit no row, column -1 when it hit no column.
    void Clicked(int row, int column);
    // After a header click sorted the rows.
    void Sorted(int column, bool ascending);
    // The space bar on the current cell: what a click is to the mouse, for the keyboard.
    void SpacePressed(int row, int column);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void SortOnHeaderClick(int column);
    void ResetSortOrder();
    bool HasCell(int row, int column) const;

    GridListModel* rows_;
    CodePageEncoder sortEncoder_;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

}  // namespace kiro::gui
