// kiro collect and kiro watch-settings as a black box, on a disk written by kiro simulate.
#include <gtest/gtest.h>

#include <filesystem>

#include "KiroCommand.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

using test::Kiro;

TEST(CliCollectTest, CollectsASimulatedDiskOnceAndLeavesItEmpty) {
    test::TempFolder folder;
    const std::string disk = test::ShellQuote(folder.File("disk"));
    const std::string program = "--folder " + test::ShellQuote(folder.File("program"));
    ASSERT_EQ(test::RunCommand(Kiro("simulate " + disk + " --from 2014-05-01 --days 2 --kro")).exitCode, 0);
    const auto pass = test::RunCommand(Kiro(program + " collect " + disk));
    ASSERT_EQ(pass.exitCode, 0) << pass.output;
    EXPECT_NE(pass.output.find(" >>> Collecting D: Complete <<<"), std::string::npos) << pass.output;
    EXPECT_FALSE(std::filesystem::exists(folder.File("disk/20140501.KRO")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("program/Data/Kiro201405.BIN")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("program/KiroMeter2/20140502.KRO-001")));

    const auto settings = test::RunCommand(Kiro(program + " settings"));
    const size_t at = settings.output.find("Summary.TotalSteps=");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(settings.output.substr(at, 21), "Summary.TotalSteps=0\n");

    // The disk still carries its marker and settings: a second pass stores nothing more.
    const std::string before = folder.Read("program/Data/Kiro201405.BIN");
    ASSERT_EQ(test::RunCommand(Kiro(program + " collect " + disk)).exitCode, 0);
    EXPECT_EQ(folder.Read("program/Data/Kiro201405.BIN"), before);
}

TEST(CliCollectTest, AFolderThatIsNoWatchGivesStatusTwo) {
    test::TempFolder folder;
    EXPECT_EQ(test::RunCommand(Kiro("--folder " + test::ShellQuote(folder.Path()) + " collect " +
                                    test::ShellQuote(folder.Path())))
                  .exitCode,
              2);
}

TEST(CliCollectTest, ASimulatedDeviceWatchKeepsItsStateBetweenCalls) {
    test::TempFolder folder;
    const std::string base = "--folder " + test::ShellQuote(folder.File("program")) +
                             " collect --sim-device x5e:days=3:seed=4 --sim-state " +
                             test::ShellQuote(folder.File("watch.state"));
    const auto first = test::RunCommand(Kiro(base));
    ASSERT_EQ(first.exitCode, 0) << first.output;
    EXPECT_NE(first.output.find("Model: X5E"), std::string::npos) << first.output;
    ASSERT_TRUE(std::filesystem::exists(folder.File("watch.state")));
    std::string stored;
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("program/Data")))
        stored += folder.Read("program/Data/" + entry.path().filename().string());
    ASSERT_FALSE(stored.empty());
    // The watch forgot what it handed over: the second call finds nothing new to store.
    const auto second = test::RunCommand(Kiro(base));
    ASSERT_EQ(second.exitCode, 0) << second.output;
    std::string after;
    for (const auto& entry : std::filesystem::directory_iterator(folder.File("program/Data")))
        after += folder.Read("program/Data/" + entry.path().filename().string());
    EXPECT_EQ(after, stored);
}

TEST(CliCollectTest, WatchSettingsReadsClockTxt) {
    test::TempFolder folder;
    folder.Write("disk/clock.txt", "UStr=Morning\r\nSped=6\r\nDisp=KAAAAAAAA\r\nUPic=0A41\r\n");
    const auto result = test::RunCommand(Kiro("watch-settings " + test::ShellQuote(folder.File("disk"))));
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_NE(result.output.find("Sped=6\n"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Disp=9,0,0,0,0,0,0,0,0,0\n"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("\nUPic=0A41" + std::string(76, 'F') + "\n"), std::string::npos)
        << "all 40 bytes: " << result.output;
    EXPECT_NE(result.output.find("\nUStr=Morning\\n\n"), std::string::npos)
        << "the message as read, its line break escaped: " << result.output;
}

}  // namespace
}  // namespace kiro
