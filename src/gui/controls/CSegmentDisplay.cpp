#include "gui/controls/CSegmentDisplay.h"

#include <QLine>
#include <QPainter>
#include <algorithm>

#include "gui/controls/BufferedPainting.h"

namespace kiro::gui {
namespace {
// Segment bits of a character: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle; the colon has a code of its own.
constexpr int kSegmentA = 0x80;
constexpr int kSegmentB = 0x40;
constexpr int kSegmentC = 0x20;
constexpr int kSegmentD = 0x10;
constexpr int kSegmentE = 0x08;
constexpr int kSegmentF = 0x04;
constexpr int kSegmentG = 0x02;
constexpr int kColon = 0x101;

int SegmentCode(QChar character) {
    constexpr int kDigits[10] = {0xFC, 0x60, 0xDA, 0xF2, 0x66, 0xB6, 0xBE, 0xE0, 0xFE, 0xF6};
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9') return kDigits[c - u'0'];
    if (c == u'-') return kSegmentG;
    if (c == u':') return kColon;
    return 0;
}

// Draws one character cell with its origin at `origin`; t is the thickness, l the length.
void DrawCharacter(QPainter& painter, int code, QPoint origin, int t, int l) {
    auto line = [&](int x1, int y1, int x2, int y2) {
        painter.drawLine(origin + QPoint(x1, y1), origin + QPoint(x2, y2));
    };
    if (code == kColon) {
        line(2 * t, l, 2 * t, l + 2);
        line(2 * t, t + 2 * l, 2 * t, t + 2 * l + 2);
        return;
    }
    if (code & kSegmentA) line(2 * t, t, l, t);
    if (code & kSegmentB) line(t + l, 2 * t, t + l, 2 * t + l);
    if (code & kSegmentC) line(t + l, 4 * t + l, t + l, 4 * t + 2 * l);
    if (code & kSegmentD) line(2 * t, 5 * t + 2 * l, l, 5 * t + 2 * l);
    if (code & kSegmentE) line(t, 4 * t + l, t, 4 * t + 2 * l);
    if (code & kSegmentF) line(t, 2 * t, t, 2 * t + l);
    if (code & kSegmentG) line(2 * t, 3 * t + l, l, 3 * t + l);
}
}  // namespace

CSegmentDisplay::CSegmentDisplay(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CSegmentDisplay::SetBkColor(const QColor& colour) {
    background_ = colour.isValid() ? colour : palette().color(QPalette::Button);
    update();
}

void CSegmentDisplay::SetSegmentColor(const QColor& colour) {
    segmentColour_ = colour.isValid() ? colour : palette().color(QPalette::ButtonText);
    update();
}

void CSegmentDisplay::SetText(const QString& text) {
    text_ = text;
    update();
}

int CSegmentDisplay::SegmentThickness(int height) {
    return std::max(static_cast<int>(0.07 * height), 1);
}

int CSegmentDisplay::SegmentLength(int height) {
    return std::max(static_cast<int>(0.3 * height), 1);
}

void CSegmentDisplay::paintEvent(QPaintEvent*) {
    BufferedPainting buffer(*this, rect());
    QPainter& painter = buffer.Painter();
    painter.fillRect(rect(), background_);

    const int t = SegmentThickness(height());
    const int l = SegmentLength(height());
    painter.setPen(QPen(segmentColour_, t, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Centred as if every character took a full digit cell; a colon's cell is narrower, so
    // the drawn text sits a little left of the middle.
    QPoint origin((width() - static_cast<int>(text_.size()) * (3 * t + l)) / 2, 1);
    for (const QChar character : text_) {
        const int code = SegmentCode(character);
        DrawCharacter(painter, code, origin, t, l);
        origin.rx() += code == kColon ? t + l : 3 * t + l;
    }
}

}  // namespace kiro::gui
