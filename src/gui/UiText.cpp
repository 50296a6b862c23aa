#include "gui/UiText.h"

namespace kiro::gui {

QString UiText::Get(int index) const {
    return Convert(app_.GetLangText(index));
}

QString UiText::Convert(const std::string& text) const {
    return QString::fromStdString(codec_.ToUtf8(text, app_.CurrentLanguage()));
}

}  // namespace kiro::gui
