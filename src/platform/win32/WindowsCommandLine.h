#pragma once
#include <span>
#include <string>
#include <string_view>

namespace kiro::win32_platform {

// A Windows program gets one command line, not a list of words; its C runtime (and
// CommandLineToArgvW) split it again. These build lines that split back into exactly the words
// given, whatever blanks, quotes and backslashes they hold.

// One argument: always in double quotes (so an empty word stays a word), a quote written \",
// and backslashes doubled where they come before a quote, the closing one too.
std::string QuoteArgument(std::string_view argument);

// The program's path in double quotes, then each argument quoted. The first word is read
// without escapes, up to the next quote, so the path goes in as it is: a Windows path cannot
// hold a quote.
std::string CommandLineFor(std::string_view program, std::span<const std::string> arguments);

}  // namespace kiro::win32_platform
