#include "gui/app/StartupProbe.h"

#include <cstdio>

#include "core/system/ProcessInfo.h"

namespace kiro::gui {

void PrintStartupFigures(const ProcessInfo& process) {
    std::printf("startup_ms=%lld rss_kb=%lld\n", static_cast<long long>(process.MillisecondsSinceStart()),
                static_cast<long long>(process.CurrentUsage().residentKilobytes));
    (void)std::fflush(stdout);  // the measuring program waits for this line
}

}  // namespace kiro::gui
