// kiro: the command-line front end. It reads and writes the same program folder as the desktop
// program, through the same core.
#include "cli/CliContext.h"
#include "cli/RunKiro.h"

int main(int argc, char** argv) {
    kiro::cli::CliContext context;
    return kiro::cli::RunKiro(argc, argv, context);
}
