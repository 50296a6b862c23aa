#pragma once

namespace kiro {
class ProcessInfo;
}

namespace kiro::gui {

// Prints how long the process has run and its resident memory, as `--measure-startup` reports
// them: "startup_ms=N rss_kb=N" on one line of standard output.
void PrintStartupFigures(const ProcessInfo& process);

}  // namespace kiro::gui
