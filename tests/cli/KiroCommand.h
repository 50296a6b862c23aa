#pragma once
#include <string>

namespace kiro::test {

// The command line that runs the built kiro with its arguments, in the C locale so that its
// output is the same everywhere.
inline std::string Kiro(const std::string& arguments) {
    return std::string("LANG=C LC_ALL= ") + KIRO_CLI_PATH + " " + arguments;
}

}  // namespace kiro::test
