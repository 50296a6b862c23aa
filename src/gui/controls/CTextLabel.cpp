#include "gui/controls/CTextLabel.h"

#include <QPainter>

namespace kiro::gui {

CTextLabel::CTextLabel(QWidget* parent)
    : QLabel(parent),
      textColour_(palette().color(QPalette::ButtonText)),
      background_(palette().color(QPalette::Button)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CTextLabel::SetTextColor(const QColor& colour, bool redraw) {
    textColour_ = colour;
    Redraw(redraw);
}

void CTextLabel::SetBkColor(const QColor& colour, bool redraw) {
    background_ = colour;
    Redraw(redraw);
}

void CTextLabel::SetBold(bool on, bool redraw) {
    bold_ = on;
    QFont bolder = font();
    bolder.setBold(on);
    setFont(bolder);
    Redraw(redraw);
}

void CTextLabel::SetFont(const QString& faceName, int points, bool redraw) {
    QFont chosen = faceName.isEmpty() ? font() : QFont(faceName);
    if (points > 0) chosen.setPointSize(points);
    chosen.setBold(bold_);
    setFont(chosen);
    Redraw(redraw);
}

void CTextLabel::SetTextOffset(QPoint offset, bool redraw) {
    offset_ = offset;
    Redraw(redraw);
}

void CTextLabel::Redraw(bool redraw) {
    if (redraw) repaint();
}

void CTextLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setPen(textColour_);
    painter.setFont(font());
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    const int flags = centredLine_ ? int(horizontal | Qt::AlignVCenter | Qt::TextSingleLine)
                                   : int(horizontal | Qt::AlignTop | Qt::TextWordWrap);
    painter.drawText(rect().translated(offset_), flags, text());
}

}  // namespace kiro::gui
