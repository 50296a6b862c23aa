#include "gui/controls/BufferedPainting.h"

#include <QPaintDevice>

namespace kiro::gui {
namespace {
QImage BufferFor(const QPaintDevice& target, const QRect& area) {
    // As many pixels as the target has under the area, so that the copy is not rescaled.
    const qreal ratio = target.devicePixelRatioF();
    QImage buffer(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(Qt::transparent);
    return buffer;
}
}  // namespace

BufferedPainting::BufferedPainting(QPaintDevice& target, const QRect& area)
    : target_(target), area_(area), buffer_(BufferFor(target, area)), painter_(&buffer_) {
    painter_.translate(-area.topLeft());
}

BufferedPainting::~BufferedPainting() {
    painter_.end();
    QPainter(&target_).drawImage(area_.topLeft(), buffer_);
}

}  // namespace kiro::gui
