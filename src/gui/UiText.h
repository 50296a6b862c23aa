#pragma once
#include <QByteArray>
#include <QString>

#include "core/app/App.h"
#include "core/system/TextCodec.h"

namespace kiro::gui {

// The one place where the GUI turns the table's 8-bit texts into Unicode for Qt.
class UiText {
  public:
    UiText(const App& app, const TextCodec& codec) : app_(app), codec_(codec) {}

    // A text of the table in the current language.
    QString Get(TextId text) const;
    // An 8-bit text of the current language (a formatted table text) for display.
    QString Convert(const std::string& text) const;
    // A text in the current language's 8-bit code page, as the table keeps its texts.
    QByteArray ToCodePage(const QString& text) const;
    int CurrentLanguage() const { return app_.CurrentLanguage(); }

  private:
    const App& app_;
    const TextCodec& codec_;
};

}  // namespace kiro::gui
