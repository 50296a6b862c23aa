#pragma once
#include <QPixmap>
#include <QSize>

namespace kiro::gui {

// Pictures the program draws itself rather than loading.

enum class ArrowDirection { Left, Right };

// A filled arrowhead pointing left or right on a transparent ground.
QPixmap ArrowPicture(ArrowDirection direction, QSize size, const QColor& colour);

// Size of the pictures that name the three languages on the options page.
inline constexpr QSize kLanguageNameSize{102, 31};

// The name of a language (0 English, 1 Traditional Chinese, 2 Simplified Chinese) written in that
// language as lettering, 102 x 31, so that it reads right whatever language the program shows.
QPixmap LanguageNamePicture(int language);

}  // namespace kiro::gui
