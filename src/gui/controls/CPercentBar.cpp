#include "gui/controls/CPercentBar.h"

#include <QPainter>

#include "core/analysis/ChartAxes.h"
#include "gui/controls/BufferedPainting.h"

namespace kiro::gui {

CPercentBar::CPercentBar(QWidget* parent)
    : QWidget(parent),
      barColour_(palette().color(QPalette::Highlight)),
      background_(palette().color(QPalette::Base)),
      textColour_(palette().color(QPalette::Highlight)),
      textOverBarColour_(palette().color(QPalette::Base)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPercentBar::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

int CPercentBar::SetPos(int position) {
    const int previous = position_;
    position_ = position;
    if (BarWidth() != drawnBarWidth_) repaint();
    return previous;
}

void CPercentBar::ShowText(bool on) {
    if (on == showText_) return;
    showText_ = on;
    update();
}

void CPercentBar::SetText(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
}

int CPercentBar::BarWidth() const {
    if (minimum_ >= maximum_) return 0;
    const double fraction = double(position_ - minimum_) / (maximum_ - minimum_);
    return TruncToCoordinate(width() * fraction);
}

void CPercentBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    drawnBarWidth_ = -1;
}

void CPercentBar::paintEvent(QPaintEvent*) {
    BufferedPainting buffer(*this, rect());
    QPainter& painter = buffer.Painter();
    if (minimum_ >= maximum_) {
        painter.fillRect(rect(), background_);
        return;
    }
    const double fraction = double(position_ - minimum_) / (maximum_ - minimum_);
    const int barWidth = BarWidth();
    const QRect bar(0, 0, barWidth, height());
    const QRect rest(barWidth, 0, width() - barWidth, height());
    painter.fillRect(bar, barColour_);
    painter.fillRect(rest, background_);
    drawnBarWidth_ = barWidth;
    if (!showText_) return;

    const QString text =
        caption_.isEmpty() ? QString::asprintf("%d%%", TruncToCoordinate(fraction * 100)) : caption_;
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.setFont(font());
    // The same text twice, each clipped to one part, so that it changes colour at the bar's edge.
    painter.setClipRect(bar);
    painter.setPen(textOverBarColour_);
    painter.drawText(rect(), flags, text);
    painter.setClipRect(rest);
    painter.setPen(textColour_);
    painter.drawText(rect(), flags, text);
}

}  // namespace kiro::gui
