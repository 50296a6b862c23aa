#pragma once
#include <QGuiApplication>
#include <QPixmap>
#include <QSize>

namespace kiro::gui {

// A transparent pixmap of `size` in logical pixels that has a pixel for every device pixel of the
// densest screen, so that a picture drawn on it stays sharp there. A painter on it takes logical
// coordinates.
inline QPixmap BlankDevicePixmap(QSize size) {
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    return picture;
}

}  // namespace kiro::gui
