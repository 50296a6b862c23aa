#include "gui/mainwindow/FirstPaintProbe.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <utility>

namespace kiro::gui {

FirstPaintProbe::FirstPaintProbe(QWidget& window, std::function<void()> reached)
    : QObject(&window), window_(window), reached_(std::move(reached)) {
    window_.installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Paint) {
        window_.removeEventFilter(this);
        QMetaObject::invokeMethod(this, reached_, Qt::QueuedConnection);
    }
    return false;
}

}  // namespace kiro::gui
