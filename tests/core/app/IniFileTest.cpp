#include "core/store/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/ErrorCodes.h"
#include "support/FolderWriterWorld.h"

namespace kiro {
namespace {

class IniFileTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    NativeFileSystem realFiles;
    test::FaultyFileSystem files{realFiles};
    sim::FakeClock clock;
    ProgramPaths paths{folder.Path()};
    ProgramFolderWriter writer{files, clock, paths};
    IniFile ini{writer};
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

TEST_F(IniFileTest, ADefaultLosesTheSpacesAtItsEnd) {
    folder.Write("KiroMeter2.INI", "[S]\nKey=v\nEmpty=\n");
    struct Case {
        const char* defaultValue;
        const char* expected;
    } cases[] = {{"  d  ", "  d"}, {"a b ", "a b"}, {"d\t", "d\t"}, {"d \t", "d \t"}, {"   ", " "}, {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(ini.ReadString("S", "Missing", c.defaultValue, 100), c.expected)
            << '"' << c.defaultValue << '"';
        EXPECT_EQ(ini.ReadString("Other", "Key", c.defaultValue, 100), c.expected)
            << '"' << c.defaultValue << '"';
    }
    EXPECT_EQ(ini.ReadString("S", "Missing", "abc   ", 3), "ab") << "cut to the buffer as well";
    EXPECT_EQ(ini.ReadString("S", "Empty", "d ", 100), "") << "an empty value is no missing key";
    EXPECT_EQ(ini.ReadString("S", "Key", "d ", 100), "v");
}

TEST_F(IniFileTest, ValuesLoseTheBlanksAndOnePairOfQuotesAroundThem) {
    struct Case {
        const char* value;
        const char* expected;
    } cases[] = {
        {" \t one two \t", "one two"},
        {"\va\v", "a"},
        {"\f a \f", "a"},
        {"\032a\032", "a"},
        {"a\vb", "a\vb"},
        {"\"a b\"", "a b"},
        {"'a b'", "a b"},
        {" ' a ' ", " a "},
        {"''", ""},
        {"\"\"", ""},
        {"''a''", "'a'"},
        {"\"a'", "\"a'"},
        {"'a\"", "'a\""},
        {"'", "'"},
        {"'ab", "'ab"},
        {"ab'", "ab'"},
        {"a'b'", "a'b'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindIniValue(std::string("[S]\r\nKey=") + c.value + "\r\n", "S", "Key"), c.expected)
            << '"' << c.value << '"';
    folder.Write("KiroMeter2.INI", "[\vAdvance\f]\r\n\vLanguage\v=\v'2'\v\r\n[Quoted]\r\nNumber='12'\r\n");
    EXPECT_EQ(ini.ReadString("Advance", "Language", "", 100), "2");
    EXPECT_EQ(ini.ReadInt("Advance", "Language", 0), 2);
    EXPECT_EQ(ini.ReadInt("Quoted", "Number", 0), 12);
    ASSERT_TRUE(test::Ok(ini.WriteInt("Advance", "Language", 3)));
    EXPECT_EQ(folder.Read("KiroMeter2.INI"), "[\vAdvance\f]\r\nLanguage=3\r\n[Quoted]\r\nNumber='12'\r\n")
        << "the key written is the one read, in its spelling but without the blanks around it";
}

TEST_F(IniFileTest, OnlyTheFirstCopyOfASectionIsReadOrWritten) {
    folder.Write("KiroMeter2.INI", "[S]\nA=1\nKey=first\n[s]\nKey=second\nOnlyLater=2\n[Other]\nB=3\n");
    EXPECT_EQ(ini.ReadString("S", "Key", "d", 100), "first");
    EXPECT_EQ(ini.ReadString("S", "OnlyLater", "d", 100), "d");
    EXPECT_EQ(ini.ReadInt("S", "OnlyLater", 7), 7);
    EXPECT_EQ(ini.ReadInt("Other", "B", 0), 3) << "sections after the copy still read";

    // A key found only in a later copy reads as missing, so writing the value it holds there is
    // a change, made in the first copy; the later copy stays as it was.
    ASSERT_TRUE(test::Ok(ini.WriteInt("S", "OnlyLater", 2)));
    EXPECT_EQ(ini.ReadInt("S", "OnlyLater", 7), 2);
    ASSERT_TRUE(test::Ok(ini.WriteString("s", "KEY", "new")));
    EXPECT_EQ(ini.ReadString("S", "Key", "d", 100), "new");
    EXPECT_EQ(folder.Read("KiroMeter2.INI"),
              "[S]\nA=1\nKey=new\nOnlyLater=2\n[s]\nKey=second\nOnlyLater=2\n[Other]\nB=3\n");
}

TEST_F(IniFileTest, IntegersReadTheLeadingNumberAsWindowsDoes) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"12abc", 12},  {"-7", -7},  {"+5", 5},         {"abc", 0},
                 {"  33  ", 33}, {"0x10", 0}, {"4294967295", -1}};
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
    ASSERT_TRUE(test::Ok(ini.WriteInt("Summary", "TotalSteps", 1234)));
    EXPECT_EQ(folder.Read("KiroMeter2.INI"), "[Summary]\r\nTotalSteps=1234\r\n");
    ASSERT_TRUE(test::Ok(ini.WriteString("Advance", "Language", "2")));
    EXPECT_EQ(ini.ReadInt("Advance", "Language", 0), 2);
    EXPECT_EQ(ini.ReadInt("Summary", "TotalSteps", 0), 1234);
}

TEST_F(IniFileTest, WriteKeepsEveryOtherLineAsItWas) {
    const std::string before =
        "; my notes\n[Advance]\nLanguage=1\n; keep me\nAutoConfirm=0\n\n[Personal]\nHeight=170\n";
    folder.Write("KiroMeter2.INI", before);
    ASSERT_TRUE(test::Ok(ini.WriteInt("advance", "AUTOCONFIRM", 1)));
    ASSERT_TRUE(test::Ok(ini.WriteInt("Advance", "EnableUpgrade", 0)));
    ASSERT_TRUE(test::Ok(ini.WriteInt("Personal", "Weight", 60)));
    EXPECT_EQ(folder.Read("KiroMeter2.INI"),
              "; my notes\n[Advance]\nLanguage=1\n; keep me\nAutoConfirm=1\nEnableUpgrade=0\n\n[Personal]\n"
              "Height=170\nWeight=60\n");
}

TEST_F(IniFileTest, AValueWithALineBreakCannotInjectKeys) {
    ASSERT_TRUE(test::Ok(ini.WriteString("PreCopy", "Path", "/media/x\r\n[Advance]\r\nEnableUpgrade=0")));
    EXPECT_EQ(ini.ReadString("PreCopy", "Path", "", 510), "/media/x");
    EXPECT_EQ(ini.ReadInt("Advance", "EnableUpgrade", 1), 1);
}

TEST_F(IniFileTest, WriteLeavesNothingButTheFileAndItsLock) {
    ASSERT_TRUE(test::Ok(ini.WriteInt("A", "B", 1)));
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"KiroMeter2.INI", "KiroMeter2.lock"}));
}

TEST_F(IniFileTest, SeveralKeysGoInOneReplacementOfTheFile) {
    folder.Write("KiroMeter2.INI", "[Summary]\nTotalSteps=1\n");
    files.TrackDurability(folder.Path());
    ASSERT_TRUE(test::Ok(ini.Write({{"Summary", "TotalSteps", "10"}, {"Summary", "TotalPeriod", "20"}})));
    EXPECT_EQ(folder.Read("KiroMeter2.INI"), "[Summary]\nTotalSteps=10\nTotalPeriod=20\n");
    // One file alone needs no commit record: its staged copy, flushed, renamed over it, and the
    // folder flushed.
    const std::vector<std::string>& log = files.Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].rfind("write+flush KiroMeter2.INI.", 0), 0u) << log[0];
    EXPECT_EQ(log[1].rfind("rename KiroMeter2.INI.", 0), 0u) << log[1];
    EXPECT_EQ(log[1].substr(log[1].size() - 15), " KiroMeter2.INI") << log[1];
    EXPECT_EQ(log[2], "sync .");
}

TEST_F(IniFileTest, AFileThatCannotBeReadGivesDefaultsAndIsNeverReplaced) {
    // A folder in the file's place cannot be read as settings; neither can a file too large
    // for any settings file.
    std::filesystem::create_directories(folder.File("KiroMeter2.INI"));
    EXPECT_EQ(ini.ReadInt("Advance", "Language", 2), 2);
    EXPECT_TRUE(ini.Read().error);
    EXPECT_FALSE(test::Ok(ini.WriteInt("Advance", "Language", 1)));
    std::filesystem::remove(folder.File("KiroMeter2.INI"));

    const std::string huge = "[Advance]\nLanguage=1\n" + std::string(IniFile::kSizeLimit, ';');
    folder.Write("KiroMeter2.INI", huge);
    EXPECT_EQ(ini.ReadInt("Advance", "Language", 2), 2);
    EXPECT_EQ(ini.WriteInt("Advance", "Language", 0), std::errc::file_too_large);
    EXPECT_EQ(folder.Read("KiroMeter2.INI"), huge) << "every other setting is still there";
}

TEST_F(IniFileTest, AFailedWriteLeavesTheFileAsItWas) {
    folder.Write("KiroMeter2.INI", "[Advance]\nLanguage=1\n");
    for (int change = 1; change <= 4; ++change) {
        test::FaultyFileSystem full(realFiles);
        ProgramFolderWriter fullWriter(full, clock, paths);
        full.FailFrom(change, std::make_error_code(std::errc::no_space_on_device));
        const std::error_code error = IniFile(fullWriter).WriteInt("Advance", "Language", 2);
        // Once renamed, the new file is in place even when the folder's flush failed (the write
        // says so: a power cut could still take it back); before it, nothing changes.
        const bool recorded = change >= 3;
        EXPECT_EQ(static_cast<bool>(error), change <= 3) << change;
        ASSERT_TRUE(test::Ok(writer.RecoverAtStart())) << change;
        EXPECT_EQ(ini.ReadInt("Advance", "Language", 0), recorded ? 2 : 1) << change;
        ASSERT_TRUE(test::Ok(ini.WriteInt("Advance", "Language", 1)));
    }
}

TEST_F(IniFileTest, WriteIntoAFolderThatCannotBeMadeFails) {
    folder.Write("file", "");
    const ProgramPaths below(folder.File("file/below"));
    ProgramFolderWriter belowWriter(files, clock, below);
    EXPECT_FALSE(test::Ok(IniFile(belowWriter).WriteInt("A", "B", 1)));
    const ProgramPaths none("");
    ProgramFolderWriter noWriter(files, clock, none);
    EXPECT_EQ(IniFile(noWriter).WriteInt("A", "B", 1), std::errc::no_such_file_or_directory)
        << "without a program folder nothing is written anywhere";
}

}  // namespace
}  // namespace kiro
