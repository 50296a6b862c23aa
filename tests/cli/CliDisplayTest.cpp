// kiro display-frames and kiro display-render as a black box.
#include <gtest/gtest.h>

#include <sstream>

#include "KiroCommand.h"
#include "support/RunCommand.h"

namespace kiro {
namespace {

using test::Kiro;

constexpr const char* kBlank = "00000000000000000000000000";
constexpr const char* kFull = "7F7F7F7F7F7F7F7F7F7F7F7F7F";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

test::CommandResult Frames(const std::string& arguments) {
    return test::RunCommand(Kiro("display-frames " + arguments + " 2>&1"));
}

TEST(CliDisplayTest, FramesPrintsEveryStepWithItsDelayAndTheEnd) {
    const auto result = Frames("5 --start " + std::string(kFull) + " --target " + kFull);
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(Lines(result.output),
              (std::vector<std::string>{"200 C1C1C1C1C1C1C1C1C1C1C1C1C1", "200 E3E3E3E3E3E3E3E3E3E3E3E3E3",
                                        "200 F7F7F7F7F7F7F7F7F7F7F7F7F7", "200 7F7F7F7F7F7F7F7F7F7F7F7F7F",
                                        "END 7F7F7F7F7F7F7F7F7F7F7F7F7F"}));
}

TEST(CliDisplayTest, FramesScalesTheDelaysBySpeedAndTakesTheEffectModuloEleven) {
    const auto slow = Frames("16 --start " + std::string(kBlank) + " --target " + kFull + " --sped 0");
    ASSERT_EQ(slow.exitCode, 0) << slow.output;
    EXPECT_EQ(Lines(slow.output).front(), "1000 C1C1C1C1C1C1C1C1C1C1C1C1C1");
    const auto fast = Frames("5 --start " + std::string(kBlank) + " --target " + kFull + " --sped 8");
    EXPECT_EQ(Lines(fast.output).front(), "40 C1C1C1C1C1C1C1C1C1C1C1C1C1");
}

TEST(CliDisplayTest, MistOutRepeatsFromOneCallToTheNext) {
    const std::string arguments = "7 --start 0102030405060708090a0b0c0d --target " + std::string(kFull);
    const auto first = Frames(arguments);
    ASSERT_EQ(first.exitCode, 0) << first.output;
    EXPECT_EQ(Frames(arguments).output, first.output);
    const auto lines = Lines(first.output);
    ASSERT_EQ(lines.size(), 20u * 13 + 1);
    EXPECT_EQ(lines.front().substr(0, 3), "10 ");
    EXPECT_EQ(lines.back(), std::string("END ") + kFull);
}

TEST(CliDisplayTest, FramesRefusesBadArgumentsWithStatusTwo) {
    const std::string frames = std::string(" --start ") + kBlank + " --target " + kFull;
    const std::pair<std::string, std::string> cases[] = {
        {"x" + frames, "EFFECT"},
        {"-1" + frames, "EFFECT"},
        {"1 --start 0000 --target " + std::string(kFull), "--start"},
        {"1 --start " + std::string(kBlank) + " --target 7F7F7F7F7F7F7F7F7F7F7F7F7G", "--target"},
        {"1" + frames + " --sped 9", "--sped"},
        {"1" + frames + " --sped fast", "--sped"},
    };
    for (const auto& [arguments, named] : cases) {
        const auto result = Frames(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_NE(result.output.find(named), std::string::npos) << result.output;
        EXPECT_EQ(result.output.find("END"), std::string::npos) << result.output;
    }
}

TEST(CliDisplayTest, RenderPrintsTheItemsFrame) {
    const std::pair<std::string, std::string> cases[] = {
        {"time 09 41", "77555751770014005252721212"},   {"date 12 31", "00272127242700721272127200"},
        {"size 8192000", "77151715170800000007080B09"}, {"size 50", "774575157700000000090A0C0A"},
        {"size 5000", "575577111708000000111B1515"},    {"battery 211", "003E227F4141417F7F7F7F7F00"},
        {"steps 1234", "00002721272427007515771171"},   {"picture 7f41ff22", "7F410000000000000000000000"},
    };
    for (const auto& [arguments, hex] : cases) {
        const auto result = test::RunCommand(Kiro("display-render " + arguments));
        EXPECT_EQ(result.exitCode, 0) << arguments << ": " << result.output;
        EXPECT_EQ(result.output, hex + "\n") << arguments;
    }
}

TEST(CliDisplayTest, RenderRefusesBadValuesWithStatusTwo) {
    for (const char* arguments :
         {"time 24 00", "time 12 60", "date 0 1", "date 12 32", "size -1", "size 1.5", "battery 256",
          "steps -5", "picture 7F4", "picture 7FXX",
          "picture 000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F2021222324252627"}) {
        const auto result = test::RunCommand(Kiro(std::string("display-render ") + arguments + " 2>&1"));
        EXPECT_EQ(result.exitCode, 2) << arguments << ": " << result.output;
        EXPECT_NE(result.output.find("kiro display-render: "), std::string::npos) << result.output;
    }
}

}  // namespace
}  // namespace kiro
