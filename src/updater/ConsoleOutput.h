#pragma once
#include <memory>
#include <string>

#include "core/system/FileSystem.h"
#include "core/update/Updater.h"

namespace kiro::updater {

// The updater's texts on standard output, each flushed at once so that a console shows the
// waits as they happen. The desktop program starts the updater detached, usually with no
// console to read: then the texts also go to tmp/KiroMeterUpdater.log in the program folder,
// where the outcome can be read afterwards.
class ConsoleOutput final : public UpdaterOutput {
  public:
    ConsoleOutput(FileSystem& files, const std::string& programFolder);
    void Print(const std::string& text) override;

  private:
    // Null when standard output is a terminal or the log cannot be created.
    std::unique_ptr<WritableFile> log_;
};

}  // namespace kiro::updater
