#pragma once
#include <QColor>

#include "core/base/Rgb.h"

namespace kiro::gui {

// A colour the core names, for Qt.
inline QColor ToQColor(const Rgb& colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

}  // namespace kiro::gui
