#include "gui/TitleRoom.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

namespace kiro::gui {

void MakeRoomForTitle(QWidget& window) {
    const int needed =
        QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(window.windowTitle()) +
        kTitleBarChrome;
    const int extra = needed - window.width();
    if (extra <= 0) return;
    for (QWidget* child : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) child->move(child->x() + extra / 2, child->y());
    window.setFixedSize(window.width() + extra, window.height());
}

}  // namespace kiro::gui
