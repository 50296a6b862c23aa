#pragma once
#include <QFont>
#include <QString>

namespace kiro::gui {

// A font's height in this program is the height of its character cell (ascent plus descent), not
// the em size that a Qt pixel size sets. The font returned has the largest pixel size whose cell
// fits in `cellHeight`.
QFont WithCellHeight(QFont font, int cellHeight);

// Arial in the given weight with the given cell height.
QFont ArialWithCellHeight(int cellHeight, QFont::Weight weight);

// The font, made smaller only as far as needed for every line of `text` to fit in `width`
// pixels: a text is never cut, and a text that fits keeps the font it was given.
QFont NarrowedToFit(QFont font, const QString& text, int width);

}  // namespace kiro::gui
