#pragma once
#include "cli/CliContext.h"

namespace kiro::cli {

// The whole command line of kiro: reads the arguments, runs the command they name with the
// context's program folder, clock and files, and returns the exit status.
int RunKiro(int argc, char** argv, CliContext& context);

}  // namespace kiro::cli
