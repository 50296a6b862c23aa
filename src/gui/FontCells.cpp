#include "gui/FontCells.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

namespace kiro::gui {

QFont WithCellHeight(QFont font, int cellHeight) {
    int pixels = cellHeight > 1 ? cellHeight : 1;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > cellHeight) font.setPixelSize(--pixels);
    return font;
}

QFont NarrowedToFit(QFont font, const QString& text, int width) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    const auto widest = [&lines](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        int most = 0;
        for (const QString& line : lines) most = std::max(most, metrics.horizontalAdvance(line));
        return most;
    };
    if (widest(font) <= width) return font;
    for (int pixels = QFontInfo(font).pixelSize(); pixels > 1;) {
        font.setPixelSize(--pixels);
        if (widest(font) <= width) break;
    }
    return font;
}

QFont ArialWithCellHeight(int cellHeight, QFont::Weight weight) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(weight);
    return WithCellHeight(font, cellHeight);
}

}  // namespace kiro::gui
