#pragma once

class QWidget;

namespace kiro::gui {

// What a title bar takes beside the title, in pixels: the window's icon, its buttons and their
// margins, as common window managers draw them.
inline constexpr int kTitleBarChrome = 120;

// Widens a window of fixed size so that its title shows whole in its title bar, its controls
// moved along to stay centred; a window wide enough for its title stays as it is. Called once the
// title and the size are set.
void MakeRoomForTitle(QWidget& window);

}  // namespace kiro::gui
