#include "gui/boxes/ChooseFolder.h"

#include <QFileDialog>

namespace kiro::gui {

std::optional<QString> ChooseFolder(QWidget* owner, const QString& startFolder) {
    const QString chosen =
        QFileDialog::getExistingDirectory(owner, QString(), startFolder, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

}  // namespace kiro::gui
