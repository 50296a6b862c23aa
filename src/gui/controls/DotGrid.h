#pragma once
#include <cstdint>

#include "gui/controls/CGridListCtrl.h"

namespace kiro::gui {

// A CGridListCtrl made into a field of dots: `rows` rows of 7 cells under "." headings, the
// first column 18 pixels wide and the others 16, each cell a dot of the dot strip, all off.
// The headings do not sort and nothing is selected: the rows are the lines of a picture in their
// order.
void MakeDotGrid(CGridListCtrl& grid, int rows);

// Row `row` shows the seven dots of a line byte: dot j (j = 0 leftmost) is bit 6 - j.
void ShowDotLine(CGridListCtrl& grid, int row, uint8_t line);
// The line byte that row `row` shows.
uint8_t ShownDotLine(const CGridListCtrl& grid, int row);

}  // namespace kiro::gui
