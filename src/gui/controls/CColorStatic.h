#pragma once
#include <QColor>
#include <QLabel>

namespace kiro::gui {

// A static text in its own text colour on the button face colour.
class CColorStatic : public QLabel {
    Q_OBJECT
  public:
    explicit CColorStatic(QWidget* parent = nullptr);

    // Takes effect at once.
    void SetTextColor(const QColor& colour);
};

}  // namespace kiro::gui
