#include "gui/resources/Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kiro::gui {

QSize NaturalPictureSize(const QString& path) {
    const QSvgRenderer drawing(path);
    return drawing.isValid() ? drawing.defaultSize() : QSize();
}

QPixmap LoadPicture(const QString& path, QSize size) {
    QSvgRenderer drawing(path);
    if (!drawing.isValid() || size.isEmpty()) return {};
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    drawing.render(&painter);
    return picture;
}

}  // namespace kiro::gui
