#include "gui/mainwindow/FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <utility>

namespace kiro::gui {

FirstPaintProbe::FirstPaintProbe(QWidget& window, std::function<void()> reached)
    : QObject(&window), window_(window), reached_(std::move(reached)) {
    // Watched application-wide: a window whose children cover it whole (a scroll area) is drawn
    // by their paint events alone, and on some platforms gets none of its own.
    QCoreApplication::instance()->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &window_) {
        QCoreApplication::instance()->removeEventFilter(this);
        QMetaObject::invokeMethod(this, reached_, Qt::QueuedConnection);
    }
    return false;
}

}  // namespace kiro::gui
