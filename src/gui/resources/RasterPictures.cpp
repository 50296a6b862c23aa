#include <QImage>
#include <QImageReader>

#include "gui/resources/DevicePixmap.h"
#include "gui/resources/Pictures.h"

// The pictures of a build whose Qt has no SVG module: each is a PNG that the build drew from its
// SVG at KIRO_PICTURE_TIMES times the drawing's own size, so that it is scaled down, never up,
// for the sizes the windows use.
namespace kiro::gui {

QSize NaturalPictureSize(const QString& path) {
    const QSize drawn = QImageReader(path).size();
    return drawn.isValid() ? drawn / KIRO_PICTURE_TIMES : QSize();
}

QPixmap LoadPicture(const QString& path, QSize size) {
    const QImage drawn(path);
    if (drawn.isNull() || size.isEmpty()) return {};
    // Smooth scaling averages every drawn pixel that falls into a pixel of the result.
    QPixmap picture = QPixmap::fromImage(
        drawn.scaled(DevicePixelSize(size), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    picture.setDevicePixelRatio(qGuiApp->devicePixelRatio());
    return picture;
}

}  // namespace kiro::gui
