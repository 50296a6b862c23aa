#pragma once
#include <QString>
#include <optional>

#include "generated/TextId.h"

class QWidget;

namespace kiro::gui {

class UiText;

// Every control of the window tells assistive technology its name and a description in the
// program's language. A control is named after the text it shows: a button's caption, or the
// caption of the label whose buddy it is. A control that shows no text of its own is given a
// table text where it is made; ApplyAccessibleTexts turns all of them into names again whenever
// the texts may have changed, and describes each control by its kind.

// The text without its '&' mnemonic markers ("&&" stands for a literal '&').
QString WithoutMnemonic(const QString& text);

// The name is table text `nameText`; the description is `descriptionText`, or the control's kind.
void NameWithText(QWidget& control, TextId nameText, std::optional<TextId> descriptionText = std::nullopt);
// The name is table text `formatText` with its one placeholder (%s or %d) replaced by `argument`.
void NameWithFormat(QWidget& control, TextId formatText, const QString& argument);
// The name is table text `formatText` with its placeholder replaced by the caption that
// `captioned` shows at the time (which may be `control` itself).
void NameAfterCaptionOf(QWidget& control, TextId formatText, const QWidget& captioned);

// Sets the name and description of every control under `root` (the root too, when it is a
// control) from what it shows or was given, in the current language.
void ApplyAccessibleTexts(QWidget& root, const UiText& texts);

// In English, gives every shown button and every label with a buddy under `scope` a mnemonic
// unique within it (the first free initial of a word, else the first free letter or digit);
// in the other languages, captions carry none. Controls named with a table text keep their
// captions as shown: those are values (drive letters, slots), not words.
void AssignMnemonics(QWidget& scope, const UiText& texts);

}  // namespace kiro::gui
