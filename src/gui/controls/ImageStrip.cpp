#include "gui/controls/ImageStrip.h"

namespace kiro::gui {

std::vector<QPixmap> CutImageStrip(const QImage& strip, int cellWidth, QRgb maskColour) {
    std::vector<QPixmap> images;
    if (strip.isNull() || cellWidth <= 0) return images;
    const QImage pixels = strip.convertToFormat(QImage::Format_ARGB32);
    for (int left = 0; left + cellWidth <= pixels.width(); left += cellWidth) {
        QImage cell = pixels.copy(left, 0, cellWidth, pixels.height());
        for (int y = 0; y < cell.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
            for (int x = 0; x < cell.width(); ++x) {
                if ((line[x] & RGB_MASK) == (maskColour & RGB_MASK)) line[x] = qRgba(0, 0, 0, 0);
            }
        }
        images.push_back(QPixmap::fromImage(cell));
    }
    return images;
}

}  // namespace kiro::gui
