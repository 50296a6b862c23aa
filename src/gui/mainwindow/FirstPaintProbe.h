#pragma once
#include <QObject>
#include <functional>

class QWidget;

namespace kiro::gui {

// Calls `reached` once, when a window's first paint has ended: queued behind the first paint
// event of the window or of any widget in it (the widgets a paint brings up to date are drawn
// within that same flush).
class FirstPaintProbe final : public QObject {
  public:
    FirstPaintProbe(QWidget& window, std::function<void()> reached);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    std::function<void()> reached_;
};

}  // namespace kiro::gui
