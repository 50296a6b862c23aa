#include "gui/UiText.h"

namespace kiro::gui {

QString UiText::Get(TextId text) const {
    return Convert(app_.GetLangText(text));
}

QString UiText::Convert(const std::string& text) const {
    return QString::fromStdString(codec_.ToUtf8(text, app_.CurrentLanguage()));
}

QByteArray UiText::ToCodePage(const QString& text) const {
    const std::string bytes = codec_.FromUtf8(text.toStdString(), app_.CurrentLanguage());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace kiro::gui
