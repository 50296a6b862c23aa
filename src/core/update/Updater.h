#pragma once
#include <string>

#include "core/system/Clock.h"
#include "core/system/FileSystem.h"

namespace kiro {

// Where the updater's texts go: the console, and a log beside it when no one watches.
class UpdaterOutput {
  public:
    virtual ~UpdaterOutput() = default;
    virtual void Print(const std::string& text) = 0;
};

// The updater's work once the desktop program has handed over and is ending: waits for the old
// program file to be free, then puts the downloaded build in its place, trying ten times a
// second apart. The old program is never removed before the new one stands in its place, so
// a failed update leaves it as it was. `workingDirectory` is the updater's working directory,
// which is the program folder. The exit status: 0, whether or not the update worked.
int RunUpdater(FileSystem& files, Clock& clock, UpdaterOutput& out, const std::string& workingDirectory);

}  // namespace kiro
