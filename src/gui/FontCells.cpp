#include "gui/FontCells.h"

#include <QFontMetrics>

namespace kiro::gui {

QFont WithCellHeight(QFont font, int cellHeight) {
    int pixels = cellHeight > 1 ? cellHeight : 1;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > cellHeight) font.setPixelSize(--pixels);
    return font;
}

QFont ArialWithCellHeight(int cellHeight, QFont::Weight weight) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(weight);
    return WithCellHeight(font, cellHeight);
}

}  // namespace kiro::gui
