#pragma once
#include <chrono>
#include <string>
#include <vector>

namespace kiro::test {

// How a program run under a time limit ended.
struct BoundedResult {
    int exitCode = -1;      // the exit status, or -1 when it did not exit by itself
    int signal = 0;         // the signal that ended it, 0 when it exited
    bool overTime = false;  // it was still running at the limit and was killed
    std::string out;        // standard output
    std::string err;        // standard error
    std::chrono::milliseconds elapsed{0};
    long peakKilobytes = 0;  // the most memory the program had in use at once (resident set)

    bool Exited() const { return exitCode >= 0; }
};

// What a run gets besides its arguments.
struct RunPlace {
    std::string workingDirectory;
    // The whole environment, "NAME=value".
    std::vector<std::string> environment;
    // Where standard output and standard error are collected while it runs.
    std::string captureFolder;
};

// Runs a program (no shell between) in its own process group and waits for it at most `limit`
// (scaled for the build, support/TimeLimits.h); a run still going then is killed with everything
// it started. Standard input is /dev/null.
BoundedResult RunBounded(const std::vector<std::string>& argv, const RunPlace& place,
                         std::chrono::milliseconds limit);

}  // namespace kiro::test
