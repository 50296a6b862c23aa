// kiro: the command-line front end. It reads and writes the same program folder as the desktop
// program, through the same core.
#include "cli/CliContext.h"
#include "cli/NativeCliPlatform.h"
#include "cli/RunKiro.h"

int main(int argc, char** argv) {
    // The one place where kiro's machine is chosen.
    kiro::cli::NativeCliPlatform platform;
    kiro::cli::CliContext context(platform);
    return kiro::cli::RunKiro(argc, argv, context);
}
