#pragma once
#include <string>

namespace kiro::test {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Runs a shell command line and collects what it prints.
CommandResult RunCommand(const std::string& commandLine);

// Quotes a word for the shell.
std::string ShellQuote(const std::string& word);

}  // namespace kiro::test
