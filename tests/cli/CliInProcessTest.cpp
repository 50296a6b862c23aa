// kiro run in the test's own process on a machine of fakes: the commands take every platform
// object from the one the context was given, and touch no real disk or device.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "cli/CliContext.h"
#include "cli/FakeCliPlatform.h"
#include "cli/RunKiro.h"
#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/StepGenerator.h"
#include "support/ProgramFolderState.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

struct InProcessRun {
    int status = 0;
    std::string output;
};

InProcessRun RunKiroHere(test::FakeCliPlatform& platform, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "kiro");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::ostringstream captured;
    std::streambuf* const standardOutput = std::cout.rdbuf(captured.rdbuf());
    cli::CliContext context(platform);
    const int status = cli::RunKiro(static_cast<int>(arguments.size()), argv.data(), context);
    std::cout.rdbuf(standardOutput);
    return {status, captured.str()};
}

TEST(CliInProcessTest, TheCommandsWorkOnTheMachineTheyAreGiven) {
    test::FakeCliPlatform platform;
    sim::DeviceModeWatch watch(platform.clock, sim::DeviceWatchOptions{'E', true, 0});
    for (const auto& day : sim::GenerateDays(2014, 5, 1, 3, 4)) watch.Record(day);
    platform.devices.Attach('D', watch);
    platform.devices.Attach("/dev/watch", watch);

    const InProcessRun inquiry = RunKiroHere(platform, {"inquiry", "D"});
    EXPECT_EQ(inquiry.status, 0);
    EXPECT_EQ(inquiry.output, "model=E\ncollect=1\n");

    test::TempFolder folder;
    const InProcessRun collect =
        RunKiroHere(platform, {"--folder", folder.Path(), "collect", "--device", "/dev/watch"});
    EXPECT_EQ(collect.status, 0) << collect.output;
    EXPECT_EQ(watch.RecordedHours(), 0u) << "the simulated watch was read and told";
    const test::ProgramFolderState stored = test::ReadProgramFolderState(folder.Path());
    EXPECT_GT(stored.StoredSteps(), 0);
    EXPECT_EQ(stored.totalSteps, std::to_string(stored.StoredSteps()));
}

}  // namespace
}  // namespace kiro
