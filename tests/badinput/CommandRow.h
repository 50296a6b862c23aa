#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "BoundedRun.h"
#include "Sandbox.h"

namespace kiro::test {

// An exit status that only has to be a failure: a number from 1 up, never a signal.
inline constexpr int kAnyFailure = -2;

// What a row of kiro runs states about its outcome.
struct Expected {
    int exitCode = 0;        // or kAnyFailure
    std::string errorSays;   // a text standard error holds; empty: standard error stays empty
    std::string outputSays;  // a text standard output holds, if any
    // Scaled for the build, as every time limit.
    std::chrono::milliseconds within{5000};
};

// Seals the sandbox, runs kiro with the row's arguments and checks what every row checks: it
// ended by itself within its time without a signal, with the exit status and the texts the row
// states, and lost nothing stored nor changed anything outside the program folder and the watch
// disk. Returns the run for the row's own checks.
BoundedResult RunRow(Sandbox& box, const std::string& row, const std::vector<std::string>& arguments,
                     const Expected& expected);

// Checks the time a row's work took against its bound, scaled for the build.
void ExpectWithin(const std::string& row, std::chrono::steady_clock::duration took,
                  std::chrono::milliseconds bound);

}  // namespace kiro::test
