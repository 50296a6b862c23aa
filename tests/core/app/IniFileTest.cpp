#include "core/app/IniFile.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace kiro {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    IniFile ini{folder.File("KiroMeter2.INI")};
};

TEST_F(IniFileTest, MissingFileOrKeyGivesTheDefault) {
    EXPECT_EQ(ini.ReadInt("Advance", "Language", 2), 2);
    EXPECT_EQ(ini.ReadString("Advance", "UpdateURL", "http://x", 512), "http://x");
    folder.Write("KiroMeter2.INI", "[Advance]\r\nLanguage=1\r\n");
    EXPECT_EQ(ini.ReadInt("Advance", "AutoConfirm", 7), 7);
    EXPECT_EQ(ini.ReadInt("Summary", "Language", 9), 9);
}

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutRegardToCase) {
    folder.Write("KiroMeter2.INI", "[ADVANCE]\r\nlanguage=1\r\n[summary]\r\nTOTALSTEPS = 42 \r\n");
    EXPECT_EQ(ini.ReadInt("Advance", "Language", 0), 1);
    EXPECT_EQ(ini.ReadInt("Summary", "TotalSteps", 0), 42);
}

TEST_F(IniFileTest, IntegersReadTheLeadingNumberAsWindowsDoes) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"12abc", 12}, {"-7", -7}, {"+5", 5}, {"abc", 0}, {"  33  ", 33}, {"0x10", 0}, {"4294967295", -1}};
    for (const auto& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.expected) << c.text;
    folder.Write("KiroMeter2.INI", "[S]\nJunk=12abc\nEmpty=\n");
    EXPECT_EQ(ini.ReadInt("S", "Junk", 0), 12);
    EXPECT_EQ(ini.ReadInt("S", "Empty", 5), 5) << "an empty value reads as the default";
}

TEST_F(IniFileTest, StringsAreCutToTheBufferLength) {
    folder.Write("KiroMeter2.INI", "[Temp]\nTempGraphic1=0123456789\n");
    EXPECT_EQ(ini.ReadString("Temp", "TempGraphic1", "", 5), "0123");
    EXPECT_EQ(ini.ReadString("Temp", "Missing", "abcdef", 3), "ab");
}

TEST_F(IniFileTest, WriteCreatesTheFileAndSection) {
    ASSERT_TRUE(ini.WriteInt("Summary", "TotalSteps", 1234));
    EXPECT_EQ(folder.Read("KiroMeter2.INI"), "[Summary]\r\nTotalSteps=1234\r\n");
    ASSERT_TRUE(ini.WriteString("Advance", "Language", "2"));
    EXPECT_EQ(ini.ReadInt("Advance", "Language", 0), 2);
    EXPECT_EQ(ini.ReadInt("Summary", "TotalSteps", 0), 1234);
}

TEST_F(IniFileTest, WriteKeepsEveryOtherLineAsItWas) {
    const std::string before =
        "; my notes\n[Advance]\nLanguage=1\n; keep me\nAutoConfirm=0\n\n[Personal]\nHeight=170\n";
    folder.Write("KiroMeter2.INI", before);
    ASSERT_TRUE(ini.WriteInt("advance", "AUTOCONFIRM", 1));
    ASSERT_TRUE(ini.WriteInt("Advance", "EnableUpgrade", 0));
    ASSERT_TRUE(ini.WriteInt("Personal", "Weight", 60));
    EXPECT_EQ(folder.Read("KiroMeter2.INI"),
              "; my notes\n[Advance]\nLanguage=1\n; keep me\nAutoConfirm=1\nEnableUpgrade=0\n\n[Personal]\n"
              "Height=170\nWeight=60\n");
}

TEST_F(IniFileTest, AValueWithALineBreakCannotInjectKeys) {
    ASSERT_TRUE(ini.WriteString("PreCopy", "Path", "/media/x\r\n[Advance]\r\nEnableUpgrade=0"));
    EXPECT_EQ(ini.ReadString("PreCopy", "Path", "", 510), "/media/x");
    EXPECT_EQ(ini.ReadInt("Advance", "EnableUpgrade", 1), 1);
}

TEST_F(IniFileTest, WriteLeavesNoTemporaryFileBehind) {
    ASSERT_TRUE(ini.WriteInt("A", "B", 1));
    EXPECT_TRUE(folder.Read("KiroMeter2.INI.tmp").empty());
}

TEST_F(IniFileTest, WriteIntoAnUnwritableFolderFails) {
    IniFile nowhere("/nonexistent-folder/KiroMeter2.INI");
    EXPECT_FALSE(nowhere.WriteInt("A", "B", 1));
}

}  // namespace
}  // namespace kiro
