#pragma once
#include <QGuiApplication>
#include <QPixmap>
#include <QSize>

namespace kiro::gui {

// How many device pixels of the densest screen `size` logical pixels take.
inline QSize DevicePixelSize(QSize size) {
    return size * qGuiApp->devicePixelRatio();
}

// A transparent pixmap of `size` in logical pixels that has a pixel for every device pixel of the
// densest screen, so that a picture drawn on it stays sharp there. A painter on it takes logical
// coordinates.
inline QPixmap BlankDevicePixmap(QSize size) {
    QPixmap picture(DevicePixelSize(size));
    picture.setDevicePixelRatio(qGuiApp->devicePixelRatio());
    picture.fill(Qt::transparent);
    return picture;
}

}  // namespace kiro::gui
