#include "gui/controls/CColorStatic.h"

namespace kiro::gui {

CColorStatic::CColorStatic(QWidget* parent) : QLabel(parent) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

void CColorStatic::SetTextColor(const QColor& colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    repaint();
}

}  // namespace kiro::gui
