// KiroMeterUpdater: started by the desktop program as it ends, when it has downloaded a new
// build of itself. main only finds the program folder, what kind of program this is, the
// build's key and where the texts go; RunUpdater does the rest. Arguments are ignored: the
// desktop program passes its own path, which the working directory already tells.
#include <cstdio>
#include <optional>
#include <string>

#include "core/base/ProgramFolder.h"
#include "core/update/ProgramStamp.h"
#include "core/update/UpdateKey.h"
#include "core/update/Updater.h"
#include "platform/NativePlatform.h"
#include "updater/ConsoleOutput.h"

int main() {
    // The program folder is the working directory; without one there is nothing to update.
    const std::string programFolder = kiro::ProgramFolderOfThisProcess();
    if (programFolder.empty()) {
        (void)std::fputs("Fatal Error: MFC initialization failed\n", stderr);
        return 1;
    }
    kiro::NativeFileSystem files;
    kiro::NativeClock clock;
    kiro::NativeProcessInfo process;
    std::optional<kiro::NativeSignatureVerifier> signatures;
    if (!kiro::UpdatePublicKey().empty()) signatures.emplace(kiro::UpdatePublicKey());
    kiro::updater::ConsoleOutput out(files, programFolder);
    // The updater is built for the same system and processor as the desktop program it replaces.
    const kiro::UpdaterSetup setup{programFolder,
                                   kiro::ReadProgramStamp(files, process.OwnProgramPath()).kind,
                                   signatures ? &*signatures : nullptr};
    return kiro::RunUpdater(files, clock, out, setup);
}
