#include "gui/mainwindow/ScreenFit.h"

#include <algorithm>

namespace kiro::gui {

QSize ScrolledSize(QSize content, QSize available, int scrollBar) {
    bool cutWidth = content.width() > available.width();
    bool cutHeight = content.height() > available.height();
    // A scroll bar for one direction takes room from the other.
    if (cutWidth && !cutHeight) cutHeight = content.height() + scrollBar > available.height();
    if (cutHeight && !cutWidth) cutWidth = content.width() + scrollBar > available.width();
    const int width = cutWidth ? available.width() : content.width() + (cutHeight ? scrollBar : 0);
    const int height = cutHeight ? available.height() : content.height() + (cutWidth ? scrollBar : 0);
    return {std::max(width, 1), std::max(height, 1)};
}

}  // namespace kiro::gui
