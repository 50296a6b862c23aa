#pragma once
#include <QPixmap>
#include <QSize>
#include <QString>

namespace kiro::gui {

// The program's own pictures, compiled in. Named without their kind: where the build's Qt has its
// SVG module they are the SVG drawings themselves, elsewhere PNGs the build drew from them.
namespace pictures {
inline constexpr char kAskBox[] = ":/kiro/ask";       // a boxed program with a disc
inline constexpr char kTrophy[] = ":/kiro/trophy";    // a gold cup
inline constexpr char kRosette[] = ":/kiro/rosette";  // a rosette with ribbons
inline constexpr char kWatch[] = ":/kiro/watch";      // the wristwatch with its display
inline constexpr char kWalker[] = ":/kiro/walker";    // a walker on a path: the summary page
inline constexpr char kTarget[] = ":/kiro/target";    // a target and a flag: the mission page
inline constexpr char kPerson[] = ":/kiro/person";    // a person by a height rule: personal data
// Seven 16 x 16 cells on magenta: 0 a dot that is off, 4 a dot that is on.
inline constexpr char kDotStrip[] = ":/kiro/dots.png";
inline constexpr int kDotOff = 0;
inline constexpr int kDotOn = 4;
}  // namespace pictures

// One of the drawings drawn at `size` (logical pixels, at the screen's pixel density); a null
// pixmap when there is no such drawing.
QPixmap LoadPicture(const QString& path, QSize size);

// The size a drawing was made for; an invalid size when there is no such drawing.
QSize NaturalPictureSize(const QString& path);

}  // namespace kiro::gui
