#pragma once
#include <QRect>

namespace kiro::gui {

// The main window's layout is drawn in dialog units of its 9-point dialog font: a horizontal
// unit is a quarter of the font's average character width (6 px), a vertical unit an eighth
// of its height (13 px). Converted once, so the window keeps its proportions.
inline QRect DialogRect(int x, int y, int width, int height) {
    const auto horizontal = [](int units) { return units * 6 / 4; };
    const auto vertical = [](int units) { return units * 13 / 8; };
    return QRect(horizontal(x), vertical(y), horizontal(width), vertical(height));
}

}  // namespace kiro::gui
