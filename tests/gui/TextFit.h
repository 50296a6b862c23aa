#pragma once
// Whether every text a window shows fits the box it is shown in: labels, buttons, check boxes,
// group titles, list headers, tab captions, the texts drawn in charts and bars, and the window
// title. Each text is measured with the font it is drawn in and set against the room its
// control leaves it, so that a text cut at either end, or wrapped onto a line that is not there,
// is found in any language and at any pixel density.
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

namespace kiro::gui::test {

// One text that does not fit: where it is, what it says, the width (or height) it needs and the
// room it has.
struct CutText {
    std::string where;
    QString text;
    int needed = 0;
    int room = 0;
};

// The texts under `root` (the root included) that do not fit. Controls that are not shown with
// `root` are left out, and so are the parts inside Qt's own composite controls.
std::vector<CutText> CutTextsUnder(QWidget& root);

// For a test's failure message.
std::string Describe(const std::vector<CutText>& cuts);

}  // namespace kiro::gui::test
