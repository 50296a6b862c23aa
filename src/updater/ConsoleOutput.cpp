#include "updater/ConsoleOutput.h"

#include <unistd.h>

#include <cstdio>

#include "core/base/ProgramFolder.h"

namespace kiro::updater {

ConsoleOutput::ConsoleOutput(FileSystem& files, const std::string& programFolder) {
    if (isatty(STDOUT_FILENO)) return;
    // Without a log the texts still reach standard output, and the update goes on.
    std::error_code error;
    log_ = files.CreateFile(ProgramPaths(programFolder).File("tmp/KiroMeterUpdater.log"), error);
}

void ConsoleOutput::Print(const std::string& text) {
    // Output that does not arrive has no one to be reported to; the log, if any, still gets it.
    (void)std::fwrite(text.data(), 1, text.size(), stdout);
    (void)std::fflush(stdout);
    if (log_) log_->Append(text);
}

}  // namespace kiro::updater
