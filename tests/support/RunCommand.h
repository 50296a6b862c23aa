#pragma once
#include <string>
#include <vector>

namespace kiro::test {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Runs a command line through the system's shell (sh, or cmd.exe on Windows) and collects what
// it prints.
CommandResult RunCommand(const std::string& commandLine);

// Starts a program with its arguments (no shell between), its output thrown away; returns its
// process id, or -1.
int StartProgram(const std::vector<std::string>& argv);
// Ends a started program at once, as a crash or a power cut would, without letting it tidy up.
void KillProgram(int pid);
// Waits for a started program to end: its exit status, or -1 when a signal (on Windows, an
// exception) ended it.
int WaitForProgram(int pid);

// Quotes a word for the shell. On Windows a word that cmd.exe cannot pass on unchanged (one
// holding a double quote, a percent sign or a line break) throws std::invalid_argument.
std::string ShellQuote(const std::string& word);

}  // namespace kiro::test
