#pragma once
#include <functional>
#include <string>
#include <vector>

namespace kiro::test {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

// Sees all the output so far each time more of it has come.
using OutputWatcher = std::function<void(const std::string& soFar)>;

// Runs a command line through the system's shell (sh, or cmd.exe on Windows) and collects what
// it prints, as it comes.
CommandResult RunCommand(const std::string& commandLine, const OutputWatcher& watcher = nullptr);

// A command line that runs `command` with its standard output thrown away, so that only what
// it writes to standard error is collected.
std::string StandardErrorOnly(const std::string& command);

// A command line that runs `command` with its standard error thrown away: only its standard
// output is collected.
std::string StandardOutputOnly(const std::string& command);

// A command line that runs `command` (already quoted) with `folder` as its working directory.
std::string InFolder(const std::string& folder, const std::string& command);

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
