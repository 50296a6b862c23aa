#include "gui/app/StartupProbe.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <cstdio>
#include <utility>

#include "core/system/ProcessInfo.h"

namespace kiro::gui {

FirstPaintProbe::FirstPaintProbe(QWidget& window, std::function<void()> reached)
    : QObject(&window), window_(window), reached_(std::move(reached)) {
    window_.installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Paint) {
        window_.removeEventFilter(this);
        QMetaObject::invokeMethod(this, reached_, Qt::QueuedConnection);
    }
    return false;
}

void PrintStartupFigures(const ProcessInfo& process) {
    std::printf("startup_ms=%lld rss_kb=%lld\n", static_cast<long long>(process.MillisecondsSinceStart()),
                static_cast<long long>(process.CurrentUsage().residentKilobytes));
    (void)std::fflush(stdout);  // the measuring program waits for this line
}

}  // namespace kiro::gui
