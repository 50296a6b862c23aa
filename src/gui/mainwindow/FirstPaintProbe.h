#pragma once
#include <QObject>
#include <functional>

class QWidget;

namespace kiro::gui {

// Calls `reached` once, when a window's first paint has ended: queued behind the paint event
// that first drew the window (its children are drawn within that same event's handling).
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
