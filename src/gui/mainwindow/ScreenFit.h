#pragma once
#include <QSize>

namespace kiro::gui {

// What a window frame takes around the client area (title bar and borders), in logical pixels.
inline constexpr QSize kWindowFrame{16, 40};

// The client size of a window whose content, of `content`, scrolls inside it, on a screen that
// leaves `available` for the client: the content's own size where it fits; else as much as fits,
// with room for the scroll bar (`scrollBar` wide) that a cut direction needs across the other.
QSize ScrolledSize(QSize content, QSize available, int scrollBar);

}  // namespace kiro::gui
