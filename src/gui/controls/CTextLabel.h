#pragma once
#include <QColor>
#include <QLabel>
#include <QPoint>

namespace kiro::gui {

// A label with its own colours and font and a text offset. Horizontal alignment follows the
// label's alignment; the text wraps its words from the top, or, with the centred-line style,
// stands on one line centred vertically. Every setter repaints at once when asked to.
class CTextLabel : public QLabel {
    Q_OBJECT
  public:
    explicit CTextLabel(QWidget* parent = nullptr);

    void SetTextColor(const QColor& colour, bool redraw);
    void SetBkColor(const QColor& colour, bool redraw);
    // Keeps the current face and size, changes only the weight.
    void SetBold(bool on, bool redraw);
    // A new font of `points` in `faceName`, or in the current face when it is empty; the weight
    // follows the bold flag.
    void SetFont(const QString& faceName, int points, bool redraw);
    // Shifts the text against the client area.
    void SetTextOffset(QPoint offset, bool redraw);
    // One line, centred vertically, instead of words wrapped from the top.
    void SetCentredLine(bool on) {
        centredLine_ = on;
        update();
    }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Redraw(bool redraw);

    QColor textColour_;
    QColor background_;
    bool bold_ = false;
    QPoint offset_;
    bool centredLine_ = false;
};

}  // namespace kiro::gui
