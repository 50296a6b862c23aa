// KiroMeterUpdater: started by the desktop program as it ends, when it has downloaded a new
// build of itself. main only finds the program folder and where the texts go; RunUpdater does
// the rest. Arguments are ignored: the desktop program passes its own path, which the working
// directory already tells.
#include <cstdio>
#include <string>

#include "core/app/ProgramFolder.h"
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
    kiro::updater::ConsoleOutput out(files, programFolder);
    return kiro::RunUpdater(files, clock, out, programFolder);
}
