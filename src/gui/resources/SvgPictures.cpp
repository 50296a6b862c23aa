#include "gui/resources/Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

#include "gui/resources/DevicePixmap.h"

namespace kiro::gui {

QSize NaturalPictureSize(const QString& path) {
    const QSvgRenderer drawing(path);
    return drawing.isValid() ? drawing.defaultSize() : QSize();
}

QPixmap LoadPicture(const QString& path, QSize size) {
    QSvgRenderer drawing(path);
    if (!drawing.isValid() || size.isEmpty()) return {};
    QPixmap picture = BlankDevicePixmap(size);
    QPainter painter(&picture);
    drawing.render(&painter, QRectF(QPointF(0, 0), size));
    return picture;
}

}  // namespace kiro::gui
