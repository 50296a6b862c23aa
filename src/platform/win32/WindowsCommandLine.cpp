#include "platform/win32/WindowsCommandLine.h"

namespace kiro::win32_platform {

std::string QuoteArgument(std::string_view argument) {
    std::string quoted = "\"";
    // Backslashes mean themselves unless a quote follows them; so they are counted and written
    // once it is known what follows.
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(2 * backslashes + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + '"';
}

std::string CommandLineFor(std::string_view program, std::span<const std::string> arguments) {
    std::string line = "\"" + std::string(program) + "\"";
    for (const std::string& argument : arguments) line += " " + QuoteArgument(argument);
    return line;
}

}  // namespace kiro::win32_platform
