// Our settings file against Wine's private-profile functions, an implementation of the same
// behaviour made apart from ours: both read and write the same files, and every row must give the
// same answer from both, except the few rows listed as known differences, which must differ
// exactly as listed. The answers listed are Wine's; on Windows itself the rows where Windows does
// as ours does would show up as entries that no longer hold.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/IniFile.h"
#include "support/ErrorCodes.h"
#include "support/FolderWriterWorld.h"

namespace kiro {
namespace {

using namespace std::string_literals;  // file contents that hold a NUL byte

// Lines past 1024 and past 65536 characters, where a reader with a fixed line buffer would cut
// them or lose its place in the file.
const std::string k2000(2000, 'a');
const std::string k70000(70000, 'b');

struct StringReadRow {
    const char* name;
    std::optional<std::string> file;  // nothing: no file at all
    const char* section;
    const char* key;
    const char* defaultValue;
    size_t bufferLength;
};

// The buffer lengths the program reads its strings with are 100 to 512.
const StringReadRow kStringReads[] = {
    {"SectionAndKeyInOtherCase", "[ADVANCE]\r\nlanguage=1\r\n", "Advance", "Language", "d", 100},
    {"BlanksAroundNamesEqualsAndValue", "  [ Advance ]  \r\n  Language  =  one two  \r\n", "Advance",
     "Language", "d", 100},
    {"TabsAroundNamesAndValue", "[\tS\t]\r\n\tKey\t=\tone\ttwo\t\r\n", "S", "Key", "d", 100},
    {"VerticalTabsAroundValue", "[S]\r\nKey=\va\v\r\n", "S", "Key", "d", 100},
    {"FormFeedsAroundValue", "[S]\r\nKey=\f a\f\r\n", "S", "Key", "d", 100},
    {"ControlZAroundValue", "[S]\r\nKey=\032a\032\r\n", "S", "Key", "d", 100},
    {"VerticalTabInsideValueKept", "[S]\r\nKey=a\vb\r\n", "S", "Key", "d", 100},
    {"VerticalTabsAndFormFeedsAroundNames", "[\vS\f]\r\n\fKey\v=v\r\n", "S", "Key", "d", 100},
    {"MissingFile", std::nullopt, "S", "Key", "d", 100},
    {"EmptyFile", "", "S", "Key", "d", 100},
    {"MissingSection", "[S]\r\nKey=v\r\n", "Other", "Key", "d", 100},
    {"MissingKey", "[S]\r\nKey=v\r\n", "S", "Other", "d", 100},
    {"KeyOfAnotherSection", "[A]\r\nKey=1\r\n[B]\r\nOther=2\r\n", "B", "Key", "d", 100},
    {"KeyBeforeAnySection", "Key=1\r\n[S]\r\n", "S", "Key", "d", 100},
    {"EmptyValueIsNotTheDefault", "[S]\r\nKey=\r\n", "S", "Key", "d", 100},
    {"DoubleQuotedValue", "[S]\r\nKey=\"a b\"\r\n", "S", "Key", "d", 100},
    {"BlanksInsideQuotesKept", "[S]\r\nKey= \" a \" \r\n", "S", "Key", "d", 100},
    {"SingleQuotedValue", "[S]\r\nKey='a b'\r\n", "S", "Key", "d", 100},
    {"BlanksInsideSingleQuotesKept", "[S]\r\nKey= ' a ' \r\n", "S", "Key", "d", 100},
    {"DoubledSingleQuotesKeepOnePair", "[S]\r\nKey=''a''\r\n", "S", "Key", "d", 100},
    {"EmptySingleQuotes", "[S]\r\nKey=''\r\n", "S", "Key", "d", 100},
    {"LoneSingleQuoteKept", "[S]\r\nKey='\r\n", "S", "Key", "d", 100},
    {"SingleThenDoubleQuoteKept", "[S]\r\nKey='a\"\r\n", "S", "Key", "d", 100},
    {"UnmatchedQuotesKept", "[S]\r\nKey=\"a b'\r\n", "S", "Key", "d", 100},
    {"OpeningQuoteOnlyKept", "[S]\r\nKey=\"ab\r\n", "S", "Key", "d", 100},
    {"LoneQuoteKept", "[S]\r\nKey=\"\r\n", "S", "Key", "d", 100},
    {"EmptyQuotes", "[S]\r\nKey=\"\"\r\n", "S", "Key", "d", 100},
    {"QuoteInsideQuotesKept", "[S]\r\nKey=\"a\"b\"\r\n", "S", "Key", "d", 100},
    {"DuplicateKeyFirstWins", "[S]\r\nKey=1\r\nKey=2\r\n", "S", "Key", "d", 100},
    {"DuplicateSectionFirstWins", "[S]\r\nKey=1\r\n[s]\r\nKey=2\r\n", "S", "Key", "d", 100},
    {"KeyOnlyInSecondCopyOfSection", "[S]\r\nA=1\r\n[s]\r\nKey=2\r\n", "S", "Key", "d", 100},
    {"KeyOnlyInThirdCopyOfSection", "[S]\r\nA=1\r\n[O]\r\nB=2\r\n[S]\r\nKey=3\r\n", "S", "Key", "d", 100},
    {"KeyAfterTheCopiesOfAnotherSection", "[O]\r\nA=1\r\n[O]\r\nB=2\r\n[S]\r\nKey=3\r\n", "S", "Key", "d",
     100},
    {"CommentLineBeforeKey", "[S]\r\n;Key=1\r\nKey=2\r\n", "S", "Key", "d", 100},
    {"CommentedOutKey", "[S]\r\n; Key=1\r\n", "S", "Key", "d", 100},
    {"CommentedOutSection", ";[S]\r\nKey=1\r\n", "S", "Key", "d", 100},
    {"LineWithoutEqualsIsNoKey", "[S]\r\nKey\r\n", "S", "Key", "d", 100},
    {"LineWithoutEqualsBeforeKey", "[S]\r\nnoise\r\nKey=v\r\n", "S", "Key", "d", 100},
    {"EqualsSignInValue", "[S]\r\nKey=a=b\r\n", "S", "Key", "d", 100},
    {"SemicolonInValue", "[S]\r\nKey=a ; b\r\n", "S", "Key", "d", 100},
    {"SectionWithoutClosingBracket", "[S\r\nKey=1\r\n", "S", "Key", "d", 100},
    {"TextAfterClosingBracket", "[S] text\r\nKey=1\r\n", "S", "Key", "d", 100},
    {"KeyOnTheSectionLine", "[S]Key=1\r\n", "S", "Key", "d", 100},
    {"LineFeedLineEnds", "[S]\nKey=v\n", "S", "Key", "d", 100},
    {"NoLineBreakAtTheEnd", "[S]\r\nKey=v", "S", "Key", "d", 100},
    {"CarriageReturnInsideValue", "[S]\r\nKey=a\rb\r\n", "S", "Key", "d", 100},
    {"NulByteInsideValue", "[S]\r\nKey=a\0b\r\n"s, "S", "Key", "d", 100},
    {"ByteOrderMarkOnTheFirstSectionLine", "\xEF\xBB\xBF[S]\r\nKey=v\r\n", "S", "Key", "d", 100},
    {"ByteOrderMarkOnALineOfItsOwn", "\xEF\xBB\xBF\r\n[S]\r\nKey=v\r\n", "S", "Key", "d", 100},
    {"DefaultWithTrailingBlanks", "[S]\r\nKey=v\r\n", "S", "Other", "  d  ", 100},
    {"DefaultWithTrailingTabKept", "[S]\r\nKey=v\r\n", "S", "Other", "d\t", 100},
    {"DefaultOfBlanksOnly", "[S]\r\nKey=v\r\n", "S", "Other", "   ", 100},
    {"DefaultOfMissingSectionWithTrailingBlanks", "[S]\r\nKey=v\r\n", "Other", "Key", "d  ", 100},
    {"DefaultCutByBufferAfterItsBlanks", "[S]\r\nKey=v\r\n", "S", "Other", "abc   ", 3},
    {"BufferShorterThanValue", "[S]\r\nKey=0123456789\r\n", "S", "Key", "d", 5},
    {"BufferOneShortOfValue", "[S]\r\nKey=0123\r\n", "S", "Key", "d", 4},
    {"BufferJustHoldsValue", "[S]\r\nKey=0123\r\n", "S", "Key", "d", 5},
    {"BufferShorterThanDefault", "[S]\r\nKey=v\r\n", "S", "Other", "abcdef", 3},
    {"BufferOfOneCharacter", "[S]\r\nKey=0123\r\n", "S", "Key", "d", 1},
    {"QuotesGoBeforeTheValueIsCut", "[S]\r\nKey=\"0123456789\"\r\n", "S", "Key", "d", 5},
    {"ValueLongerThan1024CutByBuffer", "[S]\r\nKey=" + k2000 + "\r\n", "S", "Key", "d", 512},
    {"ValueLongerThan1024WithinBuffer", "[S]\r\nKey=" + k2000 + "\r\n", "S", "Key", "d", 4096},
    {"ValueLongerThan65536CutByBuffer", "[S]\r\nKey=" + k70000 + "\r\n", "S", "Key", "d", 510},
    {"KeyAfterALineLongerThan65536", "[S]\r\nLong=" + k70000 + "\r\nKey=after\r\n", "S", "Key", "d", 100},
    {"KeyAfterACommentLongerThan65536", "[S]\r\n;" + k70000 + "\r\nKey=after\r\n", "S", "Key", "d", 100},
    {"FileOverTheSizeLimit", "[S]\r\nKey=v\r\n;" + std::string(IniFile::kSizeLimit, ';'), "S", "Key", "d",
     100},
};

struct IntReadRow {
    const char* name;
    std::optional<std::string> value;  // the value of S/Key; nothing: no file at all
    int defaultValue;
};

const IntReadRow kIntReads[] = {
    {"LeadingNumberThenLetters", "12abc", 7},
    {"NegativeNumber", "-5", 7},
    {"PlusSign", "+5", 7},
    {"BlanksAroundNumber", "  33  ", 7},
    {"LeadingZero", "010", 7},
    {"HexLooking", "0x10", 7},
    {"NoDigits", "abc", 7},
    {"EmptyValueGivesTheDefault", "", 7},
    {"EmptyQuotesGiveTheDefault", "\"\"", 7},
    {"QuotedNumber", "\"12\"", 7},
    {"SingleQuotedNumber", "'12'", 7},
    {"VerticalTabsAroundNumber", "\v12\v", 7},
    {"SignThenBlank", "- 5", 7},
    {"TwoSigns", "--5", 7},
    {"NumberBlankNumber", "1 2", 7},
    {"LargestUnsignedWrapsToMinusOne", "4294967295", 7},
    {"TooLargeWrapsAround", "99999999999", 7},
    {"MostNegative", "-2147483648", 7},
    {"MissingFileGivesTheDefault", std::nullopt, -3},
};

struct WriteRow {
    const char* name;
    std::optional<std::string> file;  // nothing: no file at all
    const char* section;
    const char* key;
    const char* value;
};

const WriteRow kWrites[] = {
    {"CreatesTheFile", std::nullopt, "S", "Key", "v"},
    {"WritesIntoAnEmptyFile", "", "S", "Key", "v"},
    {"AddsASectionToAnExistingFile", "[A]\r\nX=1\r\n", "S", "Key", "v"},
    {"AddsASectionAfterALastLineWithoutBreak", "[A]\r\nX=1", "S", "Key", "v"},
    {"AddsAKeyAfterTheLastLineWithoutBreak", "[S]\r\nA=1", "S", "Key", "v"},
    {"ReplacesAValueInPlace", "; note\r\n[S]\r\nA=1\r\nKey=old\r\n; keep\r\nB=2\r\n[O]\r\nC=3\r\n", "S",
     "Key", "new"},
    {"ReplacesAValueWrittenWithBlanks", "[S]\r\n  Key  =  old  \r\n", "S", "Key", "new"},
    {"AddsAKeyAfterTheLastLineOfItsSection", "[S]\r\nA=1\r\n;c\r\n[O]\r\nC=3\r\n", "S", "Key", "new"},
    {"KeepsBlankLines", "[S]\r\nA=1\r\n\r\n[O]\r\nC=3\r\n", "S", "Key", "new"},
    {"KeepsBlanksAroundOtherKeys", "[S]\r\nA = 1\r\nKey=old\r\n", "S", "Key", "new"},
    {"KeepsLineFeedLineEnds", "[S]\nA=1\nKey=old\n", "S", "Key", "new"},
    {"WritesIntoSectionAndKeyOfOtherCase", "[SEC]\r\nkey=old\r\n", "sec", "KEY", "new"},
    {"AddsAKeyToASectionOfOtherCase", "[SEC]\r\nA=1\r\n", "sec", "Key", "new"},
    {"ReplacesTheFirstOfDuplicateKeys", "[S]\r\nKey=1\r\nKey=2\r\n", "S", "Key", "new"},
    {"WritesIntoTheFirstOfDuplicateSections", "[S]\r\nA=1\r\n[S]\r\nKey=2\r\n", "S", "Key", "new"},
    {"WritesTheValueOfALaterCopyIntoTheFirst", "[S]\r\nA=1\r\n[s]\r\nKey=2\r\n", "S", "Key", "2"},
    {"ReplacesInTheFirstCopyOnly", "[S]\r\nKey=1\r\n[O]\r\nB=2\r\n[s]\r\nKey=3\r\n", "S", "Key", "new"},
    {"KeepsKeysBeforeAnySectionAndLinesWithoutEquals", "x=1\r\n[S]\r\nKey=v\r\nno equals\r\n", "S", "New",
     "w"},
    {"SameValueLeavesTheFileAlone", "[S]\nKey=v\n", "S", "Key", "v"},
    {"EmptyValue", "[S]\r\nKey=v\r\n", "S", "Key", ""},
    {"QuotedValueWrittenAsGiven", "[S]\r\nKey=v\r\n", "S", "Key", "\"q\""},
    {"ValueWithBlanksAround", "[S]\r\nKey=v\r\n", "S", "Key", " sp "},
    {"ValueWithALineBreakAddsNoKeys", "[S]\r\nKey=v\r\n", "S", "Key", "a\r\n[Advance]\r\nb=c"},
    {"WritesIntoASectionWithoutClosingBracket", "[S\r\nKey=v\r\n", "S", "Key", "x"},
    {"WritesBehindAByteOrderMark", "\xEF\xBB\xBF[S]\r\nKey=v\r\n", "S", "Key", "x"},
    {"AddsAKeyAfterALineLongerThan65536", "[S]\r\nLong=" + k70000 + "\r\n", "S", "Key", "x"},
};

// Where Wine's answer parts from ours. Ours copies what Windows does, so where the two differ
// ours is the reference unless the comment says Windows is known to do as Wine does; those rows
// are faults of ours still to be put right. Each entry holds both answers as they are now (file
// contents with "\n" line ends), so the entry fails as soon as either side changes, and a row
// that starts to agree is taken off the list.
struct KnownDifference {
    const char* row;
    std::string ours;
    std::string wine;
};

const KnownDifference kKnownDifferences[] = {
    // A "[S" line without its ']' is no section to Wine; ours takes it as section S. Windows ends
    // a section name at the line break when the ']' is missing, as ours does.
    {"SectionWithoutClosingBracket", "1", "d"},
    // A carriage return on its own ends the line for Wine, so the value stops there; ours ends
    // lines only at a line feed and keeps it in the value. Not known what Windows does.
    {"CarriageReturnInsideValue", "a\rb", "a"},
    // Wine's value ends at a NUL byte; ours keeps the bytes after it in the string. Not known
    // what Windows gives here.
    {"NulByteInsideValue", "a\0b"s, "a"},
    // Wine takes a UTF-8 byte-order mark as the file's encoding and skips it; ours keeps it as
    // part of the first line, which then is no section. Windows does not know the UTF-8 mark
    // either: a section on the mark's line cannot be read there, as here.
    {"ByteOrderMarkOnTheFirstSectionLine", "d", "v"},
    // Ours does not take a file larger than any settings file as settings and gives the
    // defaults; Wine reads it. Windows reads it too: ours differs on purpose.
    {"FileOverTheSizeLimit", "d", "v"},
    // Wine reads "0x10" as hexadecimal; ours reads the decimal digits only, so "0" and then
    // stops. Not known for sure what Windows does.
    {"HexLooking", "0", "16"},
    // Wine ends a file it writes with a line break; ours adds the key after the last line and
    // keeps the file without a final break. Not known what Windows does.
    {"AddsAKeyAfterTheLastLineWithoutBreak", "[S]\nA=1\nKey=v", "[S]\nA=1\nKey=v\n"},
    // Wine writes the whole file anew from what it parsed and leaves out blank lines and blanks
    // around '='; ours changes the one line and keeps every other line as it was. Windows keeps
    // comments and keys where they were; that it keeps blank lines and blanks around '=' as ours
    // does is believed, not checked.
    {"KeepsBlankLines", "[S]\nA=1\nKey=new\n\n[O]\nC=3\n", "[S]\nA=1\nKey=new\n[O]\nC=3\n"},
    {"KeepsBlanksAroundOtherKeys", "[S]\nA = 1\nKey=new\n", "[S]\nA=1\nKey=new\n"},
    // Wine drops the blanks before a value it writes; ours writes the value as given, as
    // Windows does.
    {"ValueWithBlanksAround", "[S]\nKey= sp \n", "[S]\nKey=sp \n"},
    // Wine writes a line break inside a value into the file, so the rest of the value becomes
    // lines of its own (here a section and a key); ours cuts the value at the break. Windows is
    // believed to write it as Wine does; ours differs on purpose, since a value must never add
    // settings.
    {"ValueWithALineBreakAddsNoKeys", "[S]\nKey=a\n", "[S]\nKey=a\n[Advance]\nb=c\n"},
    // For Wine "[S" is no section, so it adds a section [S] of its own; ours writes into the
    // "[S" section it reads. Windows reads "[S" as section S, as ours does; that it writes there
    // too is likely but not checked.
    {"WritesIntoASectionWithoutClosingBracket", "[S\nKey=x\n", "[S\nKey=v\n[S]\nKey=x\n"},
    // Wine keeps the mark and writes into the section on its line; ours, which cannot read that
    // section, adds another [S] at the end. Windows cannot read that section either, so it is
    // likely to do as ours does, but that is not checked.
    {"WritesBehindAByteOrderMark", "\xEF\xBB\xBF[S]\nKey=v\n[S]\nKey=x\n", "\xEF\xBB\xBF[S]\nKey=x\n"},
};

// Text with its control bytes spelt out and long runs shortened, for messages.
std::string Shown(std::string_view text) {
    constexpr size_t kShownBytes = 120;
    std::string shown = "\"";
    for (const char c : text.substr(0, kShownBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (byte < 0x20 || byte >= 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    shown += '"';
    if (text.size() > kShownBytes) shown += "... (" + std::to_string(text.size()) + " bytes)";
    return shown;
}

std::string WithLineFeedEnds(std::string_view text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
    return result;
}

const KnownDifference* FindKnownDifference(std::string_view row) {
    for (const KnownDifference& known : kKnownDifferences)
        if (row == known.row) return &known;
    return nullptr;
}

// One row's two answers: the same, or for a known difference exactly the two listed.
void Compare(std::string_view row, const std::string& ours, const std::string& wine) {
    const KnownDifference* known = FindKnownDifference(row);
    if (!known) {
        EXPECT_TRUE(ours == wine) << row << ": ours " << Shown(ours) << ", Wine " << Shown(wine);
        return;
    }
    if (ours == known->ours && wine == known->wine) {
        std::printf("[   KNOWN  ] %s: ours %s, Wine %s\n", known->row, Shown(ours).c_str(),
                    Shown(wine).c_str());
        return;
    }
    ADD_FAILURE() << row << " is listed as a known difference that no longer holds: ours " << Shown(ours)
                  << " (listed " << Shown(known->ours) << "), Wine " << Shown(wine) << " (listed "
                  << Shown(known->wine) << ")"
                  << (ours == wine ? "; the two agree now: take the row off the list"
                                   : "; correct the entry and its comment");
}

// The private-profile functions look for a bare file name in the Windows folder; the full path
// makes them open the very file ours opens.
std::string FullPath(const std::string& path) {
    return std::filesystem::absolute(path).string();
}

TEST(PrivateProfileComparison, StringReads) {
    for (const StringReadRow& row : kStringReads) {
        SCOPED_TRACE(row.name);
        test::FolderWriterWorld world;
        const IniFile ini(world.writer);
        if (row.file) world.folder.Write(kSettingsFileName, *row.file);

        const std::string ours = ini.ReadString(row.section, row.key, row.defaultValue, row.bufferLength);
        std::vector<char> buffer(std::max<size_t>(row.bufferLength, 1), '\0');
        const DWORD length =
            GetPrivateProfileStringA(row.section, row.key, row.defaultValue, buffer.data(),
                                     static_cast<DWORD>(row.bufferLength), FullPath(ini.Path()).c_str());
        Compare(row.name, ours, std::string(buffer.data(), length));
    }
}

TEST(PrivateProfileComparison, IntegerReads) {
    for (const IntReadRow& row : kIntReads) {
        SCOPED_TRACE(row.name);
        test::FolderWriterWorld world;
        const IniFile ini(world.writer);
        if (row.value) world.folder.Write(kSettingsFileName, "[S]\r\nKey=" + *row.value + "\r\n");

        const int ours = ini.ReadInt("S", "Key", row.defaultValue);
        // The value comes back as UINT, though the function reads and gives signed numbers.
        const int wine = static_cast<int>(
            GetPrivateProfileIntA("S", "Key", row.defaultValue, FullPath(ini.Path()).c_str()));
        Compare(row.name, std::to_string(ours), std::to_string(wine));
    }
}

TEST(PrivateProfileComparison, Writes) {
    for (const WriteRow& row : kWrites) {
        SCOPED_TRACE(row.name);
        test::FolderWriterWorld world;
        const IniFile ini(world.writer);
        test::TempFolder wineFolder;
        const std::string winePath = FullPath(wineFolder.File(kSettingsFileName));
        if (row.file) {
            world.folder.Write(kSettingsFileName, *row.file);
            wineFolder.Write(kSettingsFileName, *row.file);
        }

        EXPECT_TRUE(test::Ok(ini.WriteString(row.section, row.key, row.value)));
        EXPECT_TRUE(WritePrivateProfileStringA(row.section, row.key, row.value, winePath.c_str()));
        const std::string ours = world.folder.Read(kSettingsFileName);
        const std::string wine = test::TempFolder::ReadFile(winePath);
        // Wine writes every line of a file it changes with "\r\n"; ours keeps the line ends the
        // file has. Which ones Windows gives a file with "\n" line ends is not known. The lines are
        // compared without their line ends, and a difference in those only is shown, not failed.
        const std::string oursLines = WithLineFeedEnds(ours);
        const std::string wineLines = WithLineFeedEnds(wine);
        if (oursLines == wineLines && ours != wine)
            std::printf(
                "[   KNOWN  ] %s: the same lines, Wine's ending in \\r\\n, ours as the file had them: %s\n",
                row.name, Shown(ours).c_str());
        Compare(row.name, oursLines, wineLines);
    }
}

TEST(PrivateProfileComparison, EveryKnownDifferenceNamesOneRow) {
    for (const KnownDifference& known : kKnownDifferences) {
        const auto named = [&](const auto& table) {
            return std::count_if(std::begin(table), std::end(table),
                                 [&](const auto& row) { return std::string_view(row.name) == known.row; });
        };
        const auto listed = std::count_if(
            std::begin(kKnownDifferences), std::end(kKnownDifferences),
            [&](const KnownDifference& other) { return std::string_view(other.row) == known.row; });
        EXPECT_EQ(named(kStringReads) + named(kIntReads) + named(kWrites), 1) << known.row;
        EXPECT_EQ(listed, 1) << known.row << " is listed more than once";
    }
}

}  // namespace
}  // namespace kiro
