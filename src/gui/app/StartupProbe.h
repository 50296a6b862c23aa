#pragma once
#include <QObject>
#include <functional>

class QWidget;

namespace kiro {
class ProcessInfo;
}

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

// Prints how long the process has run and its resident memory, as `--measure-startup` reports
// them: "startup_ms=N rss_kb=N" on one line of standard output.
void PrintStartupFigures(const ProcessInfo& process);

}  // namespace kiro::gui
