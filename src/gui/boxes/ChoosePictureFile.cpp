#include "gui/boxes/ChoosePictureFile.h"

#include <QFileDialog>

namespace kiro::gui {

std::optional<QString> ChoosePictureFile(QWidget* owner, const QString& caption) {
    const QString png = QStringLiteral("PNG (*.png)");
    const QString svg = QStringLiteral("SVG (*.svg)");
    QString kind = png;
    QString chosen =
        QFileDialog::getSaveFileName(owner, caption, QStringLiteral("report.png"), png + ";;" + svg, &kind);
    if (chosen.isEmpty()) return std::nullopt;
    if (!chosen.endsWith(".png", Qt::CaseInsensitive) && !chosen.endsWith(".svg", Qt::CaseInsensitive))
        chosen += kind == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    return chosen;
}

}  // namespace kiro::gui
