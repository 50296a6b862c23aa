#include "gui/app/DesktopKeyboard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace kiro::gui {

DesktopKeyboard::DesktopKeyboard() {
    QCoreApplication::instance()->installEventFilter(this);
}

DesktopKeyboard::~DesktopKeyboard() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool DesktopKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool down = event->type() == QEvent::KeyPress;
        if (key->nativeScanCode() == kRightShift) rightShift_ = down;
        if (key->nativeScanCode() == kRightAlt) rightAlt_ = down;
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        // Keys released while another program has the keyboard are never reported to this one.
        rightShift_ = rightAlt_ = false;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kiro::gui
