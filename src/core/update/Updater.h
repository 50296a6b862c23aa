#pragma once
#include <optional>
#include <string>

#include "core/system/Clock.h"
#include "core/system/FileSystem.h"
#include "core/system/SignatureVerifier.h"
#include "core/update/ProgramKind.h"

namespace kiro {

// Where the updater's texts go: the console, and a log beside it when no one watches.
class UpdaterOutput {
  public:
    virtual ~UpdaterOutput() = default;
    virtual void Print(const std::string& text) = 0;
};

struct UpdaterSetup {
    // The updater's working directory, which is the program folder.
    std::string workingDirectory;
    // The kind of program the updater itself is, which is the desktop program's; nothing when its
    // own file could not be read, and then no download is taken.
    std::optional<ProgramKind> kind;
    // The build's key, where it has one.
    const SignatureVerifier* signatures = nullptr;
};

// The updater's work once the desktop program has handed over and is ending: checks the download
// (kind, length, digest and, where the build has a key, signature; a download that fails is
// removed and nothing replaced), waits for the old program file to be free, then puts the
// download in its place, trying ten times a second apart. The old program is never removed
// before the new one stands in its place, so a failed update leaves it as it was. The exit
// status: 0, whether or not the update worked.
int RunUpdater(FileSystem& files, Clock& clock, UpdaterOutput& out, const UpdaterSetup& setup);

}  // namespace kiro
