#pragma once
#include <QString>
#include <optional>

class QWidget;

namespace kiro::gui {

// The system's folder chooser, owned by `owner` and starting at `startFolder`: the folder the
// user chose, or nothing when the user cancelled.
std::optional<QString> ChooseFolder(QWidget* owner, const QString& startFolder);

}  // namespace kiro::gui
