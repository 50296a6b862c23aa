#include "gui/controls/DotGrid.h"

#include <QHeaderView>

#include "gui/resources/Pictures.h"

namespace kiro::gui {

namespace {
constexpr int kDots = 7;
}

void MakeDotGrid(CGridListCtrl& grid, int rows) {
    grid.SetImageList(pictures::kDotStrip, qRgb(255, 0, 255));
    for (int column = 0; column < kDots; ++column)
        grid.InsertColumn(column, QStringLiteral("."), Qt::AlignCenter, column == 0 ? 18 : 16);
    for (int row = 0; row < rows; ++row) {
        grid.InsertItem(row, QString());
        ShowDotLine(grid, row, 0);
    }
    // Sorting would shuffle the lines of the picture: the headings are not buttons here. A
    // highlighted row would hide its dots; the keyboard's current dot shows by its focus frame.
    grid.horizontalHeader()->setSectionsClickable(false);
    grid.setSelectionMode(QAbstractItemView::NoSelection);
    grid.verticalHeader()->setDefaultSectionSize(16);
    grid.verticalHeader()->setMinimumSectionSize(16);
}

void ShowDotLine(CGridListCtrl& grid, int row, uint8_t line) {
    for (int dot = 0; dot < kDots; ++dot) {
        const bool on = (line >> (6 - dot)) & 1;
        const int image = on ? pictures::kDotOn : pictures::kDotOff;
        // Only cells that change are set again, so a refresh of a still frame costs nothing.
        if (grid.GetItemImage(row, dot) != image) grid.SetItemImage(row, dot, image);
    }
}

uint8_t ShownDotLine(const CGridListCtrl& grid, int row) {
    uint8_t line = 0;
    for (int dot = 0; dot < kDots; ++dot)
        if (grid.GetItemImage(row, dot) == pictures::kDotOn) line |= static_cast<uint8_t>(1u << (6 - dot));
    return line;
}

}  // namespace kiro::gui
