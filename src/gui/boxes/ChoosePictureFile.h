#pragma once
#include <QString>
#include <optional>

class QWidget;

namespace kiro::gui {

// The system's chooser of a file to save a picture in, owned by `owner`, with the caption given:
// a name ending .png or .svg (the ending of the kind chosen is added when the name has neither),
// or nothing when the user cancelled.
std::optional<QString> ChoosePictureFile(QWidget* owner, const QString& caption);

}  // namespace kiro::gui
