// The command line as a black box: settings and texts.
#include <gtest/gtest.h>

#include "core/app/Language.h"

#include "KiroCommand.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

using test::Kiro;

TEST(CliSettingsTest, PrintsEveryValueWithItsDefault) {
    test::TempFolder folder;
    const auto result = test::RunCommand(Kiro("--folder " + test::ShellQuote(folder.Path()) + " settings"));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output.find("Advance.Language=0\nAdvance.EnableUpgrade=1\n"), 0u) << result.output;
    EXPECT_NE(result.output.find("\nPersonal.Birthday=20000201\n"), std::string::npos);
    EXPECT_NE(result.output.find("\nMission.A_Goes=0.000000\n"), std::string::npos);
    EXPECT_NE(result.output.find("\nSleep.EndHour=33\n"), std::string::npos);
}

TEST(CliSettingsTest, SetWritesOneKeyThatTheNextLoadSees) {
    test::TempFolder folder;
    const std::string base = "--folder " + test::ShellQuote(folder.Path() + "/");
    ASSERT_EQ(test::RunCommand(Kiro(base + " settings set personal height 172")).exitCode, 0);
    const auto result = test::RunCommand(Kiro(base + " settings"));
    EXPECT_NE(result.output.find("\nPersonal.Height=172\n"), std::string::npos) << result.output;
    EXPECT_EQ(folder.Read("KiroMeter2.INI"), "[personal]\r\nheight=172\r\n");
}

TEST(CliSettingsTest, TextInEachLanguage) {
    EXPECT_EQ(test::RunCommand(Kiro("text 23 --lang 0")).output, "Report\n");
    EXPECT_EQ(test::RunCommand(Kiro("text 23 --lang 1")).output, "報表\n");
    EXPECT_EQ(test::RunCommand(Kiro("text 23 --lang 2")).output, "报表\n");
    EXPECT_EQ(test::RunCommand(Kiro("text 23 --lang 2 --raw")).output, "\xB1\xA8\xB1\xED\n");
    EXPECT_NE(test::RunCommand(Kiro("text " + std::to_string(kTextCount))).exitCode, 0)
        << "past the last text";
}

TEST(CliSettingsTest, VersionAndHelp) {
    EXPECT_NE(test::RunCommand(Kiro("--version")).output.find("2.042"), std::string::npos);
    const auto help = test::RunCommand(Kiro("--help"));
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("settings"), std::string::npos);
}

}  // namespace
}  // namespace kiro
