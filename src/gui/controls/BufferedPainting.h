#pragma once
#include <QImage>
#include <QPainter>
#include <QRect>

class QPaintDevice;

namespace kiro::gui {

// Paints a whole area off screen and puts it on the target in one transfer when it goes out of
// scope, so a control that first fills its background and then draws over it never flickers.
// Drawing uses the target's coordinates.
class BufferedPainting {
  public:
    BufferedPainting(QPaintDevice& target, const QRect& area);
    ~BufferedPainting();
    BufferedPainting(const BufferedPainting&) = delete;
    BufferedPainting& operator=(const BufferedPainting&) = delete;

    QPainter& Painter() { return painter_; }

  private:
    QPaintDevice& target_;
    QRect area_;
    QImage buffer_;
    QPainter painter_;
};

}  // namespace kiro::gui
