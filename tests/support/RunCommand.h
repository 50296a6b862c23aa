#pragma once
#include <string>
#include <vector>

namespace kiro::test {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Runs a shell command line and collects what it prints.
CommandResult RunCommand(const std::string& commandLine);

// Starts a program with its arguments (no shell between), its output thrown away; returns its
// process id, or -1.
int StartProgram(const std::vector<std::string>& argv);
// Waits for a started program to end: its exit status, or -1 when a signal ended it.
int WaitForProgram(int pid);

// Quotes a word for the shell.
std::string ShellQuote(const std::string& word);

}  // namespace kiro::test
