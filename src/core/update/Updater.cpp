#include "core/update/Updater.h"

#include <memory>

#include "core/base/Format.h"
#include "core/base/ProgramFolder.h"
#include "core/update/BuildCheck.h"
#include "core/update/UpdateCheck.h"

namespace kiro {
namespace {

constexpr int kAttempts = 10;
// The desktop program is still closing its windows and files when it starts the updater.
constexpr uint32_t kFirstWaitMs = 2000;
constexpr uint32_t kRetryWaitMs = 1000;
constexpr const char* kBorder = "+====================================+";

// A line of the banner on a line of its own: the text centred between two bars, as wide as the
// border.
std::string FramedLine(const std::string& text) {
    const size_t inside = std::string(kBorder).size() - 2;
    const size_t left = (inside - text.size()) / 2;
    std::string line = "\n|";
    line.append(left, ' ').append(text).append(inside - text.size() - left, ' ').append("|");
    return line;
}

void PrintBanner(UpdaterOutput& out) {
    out.Print(Format("\n%s", kBorder));
    out.Print(FramedLine("KiroMeter X5"));
    out.Print(FramedLine("Updater"));
    out.Print(Format("\n%s\n", kBorder));
}

// Puts `source` in place of `target`: copied beside it first and renamed over it in one step,
// so that whatever fails, the folder holds either the old program or the new one, never
// neither. A copy left over by a failed step goes; the target never does. The staged copy is
// always a file of our own making: one left by an earlier run that died goes first, and the copy
// is made only where nothing is, so nothing planted there is written through. Its mode is on the
// disk before the rename, the rename before the end.
bool ReplaceProgram(FileSystem& files, const std::string& source, const std::string& target,
                    const std::string& folder) {
    const std::string staged = target + ".new";
    files.Remove(staged);
    std::error_code error = files.CopyFileToNew(source, staged);
    if (!error) error = files.MakeExecutable(staged);
    if (!error) error = files.Rename(staged, target);
    if (!error) error = files.SyncFolder(folder);
    if (!error) return true;
    files.Remove(staged);
    return false;
}

const char* FaultText(BuildFault fault) {
    switch (fault) {
        case BuildFault::Kind:
            return "not a program for this system";
        case BuildFault::Stamp:
            return "not the build that was checked";
        case BuildFault::Seal:
            return "cut short or changed";
        case BuildFault::Signature:
            return "not signed with this build's key";
        case BuildFault::None:
            break;
    }
    return "";
}

// One attempt at the update; false when it has to be tried again.
bool TryUpdate(FileSystem& files, UpdaterOutput& out, const std::string& source, const std::string& target,
               const std::string& folder) {
    out.Print(Format("\n  Check Old File : %s ...", target.c_str()));
    // The old program must have ended: while it runs, its file cannot be opened for writing
    // (text file busy), and a lock held on it by another process is refused. Holding the lock
    // keeps it from being started again before the replacement is done.
    std::unique_ptr<FileLock> inUseGuard;
    if (files.OpensForReading(target)) {
        std::error_code error;
        inUseGuard = files.TryLock(target, error);
        if (!inUseGuard) return false;
#if defined(_WIN32)
        // Windows puts no file in place of one that is open, a lock included. There the system
        // itself keeps a running program's file from being replaced, so the check is enough.
        inUseGuard.reset();
#endif
    }
    out.Print(Format("\n  Update: %s --> %s", source.c_str(), kProgramFileName));
    if (!ReplaceProgram(files, source, target, folder)) return false;
    out.Print("\n  ** Done, Remove temp file **");
    // The download goes last: until then a new attempt finds it whole.
    files.Remove(SignatureAddressOf(source));
    files.Remove(source);
    return true;
}

}  // namespace

int RunUpdater(FileSystem& files, Clock& clock, UpdaterOutput& out, const UpdaterSetup& setup) {
    PrintBanner(out);
    const ProgramPaths paths(DeriveProgramFolder(setup.workingDirectory));
    out.Print(Format("\n%s\n", paths.Folder().c_str()));
    const std::string target = paths.File(kProgramFileName);
    const std::string source = paths.File(std::string("tmp/") + kDownloadName);

    clock.Sleep(kFirstWaitMs);
    // Checked once more here: the download has waited in the program folder since the check,
    // and whatever replaces the program must be a whole build of its own kind.
    const BuildFault fault = !files.OpensForReading(source) ? BuildFault::None
                             : setup.kind ? CheckBuildFile(files, source, *setup.kind, setup.signatures)
                                          : BuildFault::Kind;
    if (fault != BuildFault::None) {
        out.Print(Format("\n  Refused: %s (%s)", source.c_str(), FaultText(fault)));
        files.Remove(source);
        files.Remove(SignatureAddressOf(source));
        out.Print("\n\n### Err: Update failed ###\n\n");
        return 0;
    }
    bool updated = false;
    for (int attempt = 0; attempt < kAttempts && !updated; ++attempt) {
        updated = TryUpdate(files, out, source, target, paths.Folder());
        if (!updated) clock.Sleep(kRetryWaitMs);
    }
    out.Print(updated ? "\n\n>>> Update OK <<<\n\n" : "\n\n### Err: Update failed ###\n\n");
    return 0;
}

}  // namespace kiro
