#pragma once
#include "core/app/App.h"
#include "core/system/Host.h"
#include "core/system/Keyboard.h"
#include "gui/UiText.h"

namespace kiro::gui {

// What every page works with: the program's state, its texts, the window's host (status line,
// questions, notifications to the other pages) and the keyboard.
struct PageContext {
    App& app;
    const UiText& texts;
    Host& host;
    Keyboard& keyboard;
};

}  // namespace kiro::gui
