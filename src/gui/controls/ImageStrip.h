#pragma once
#include <QImage>
#include <QPixmap>
#include <QRgb>
#include <vector>

namespace kiro::gui {

// Cuts a horizontal strip of equally wide pictures into single images; pixels of exactly the
// mask colour become transparent. A last piece narrower than `cellWidth` is dropped.
std::vector<QPixmap> CutImageStrip(const QImage& strip, int cellWidth, QRgb maskColour);

}  // namespace kiro::gui
