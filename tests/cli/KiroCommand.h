#pragma once
#include <string>

#include "support/RunCommand.h"

namespace kiro::test {

#if defined(_WIN32)
// The command line that runs the built kiro with its arguments. A Windows program takes its
// language and formats from the user's settings, not from LANG or LC_ALL, so there is nothing to
// set in front of it.
inline std::string Kiro(const std::string& arguments) {
    return ShellQuote(KIRO_CLI_PATH) + " " + arguments;
}
#else
// The command line that runs the built kiro with its arguments, in the C locale so that its
// output is the same everywhere.
inline std::string Kiro(const std::string& arguments) {
    return std::string("LANG=C LC_ALL= ") + KIRO_CLI_PATH + " " + arguments;
}
#endif

}  // namespace kiro::test
