#include "CommandRow.h"

#include <gtest/gtest.h>

#include "support/TimeLimits.h"

namespace kiro::test {

BoundedResult RunRow(Sandbox& box, const std::string& row, const std::vector<std::string>& arguments,
                     const Expected& expected) {
    box.Seal();
    // Killed at twice its bound, so that a run that hangs still ends the row.
    const BoundedResult run = box.Kiro(arguments, 2 * expected.within);
    const std::string what =
        row + "\n  stdout: " + run.out.substr(0, 600) + "\n  stderr: " + run.err.substr(0, 600);
    EXPECT_FALSE(run.overTime) << what << "\n  hung: killed after " << run.elapsed.count() << " ms";
    EXPECT_EQ(run.signal, 0) << what << "\n  ended by a signal";
    EXPECT_LE(run.elapsed, TimeLimit(expected.within)) << what;
    if (expected.exitCode == kAnyFailure) {
        EXPECT_GT(run.exitCode, 0) << what;
    } else {
        EXPECT_EQ(run.exitCode, expected.exitCode) << what;
    }
    if (expected.errorSays.empty()) {
        EXPECT_EQ(run.err, "") << what;
    } else {
        EXPECT_NE(run.err.find(expected.errorSays), std::string::npos) << what;
    }
    if (!expected.outputSays.empty()) {
        EXPECT_NE(run.out.find(expected.outputSays), std::string::npos) << what;
    }
    box.ExpectNothingLostOrLeaked(row);
    return run;
}

void ExpectWithin(const std::string& row, std::chrono::steady_clock::duration took,
                  std::chrono::milliseconds bound) {
    EXPECT_LE(std::chrono::duration_cast<std::chrono::milliseconds>(took), TimeLimit(bound)) << row;
}

}  // namespace kiro::test
