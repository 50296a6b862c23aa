#include "core/app/Language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/Format.h"

namespace kiro {
namespace {

// The printf placeholders of a text, in order ("%%" included), so that one set of arguments
// serves every language.
std::vector<std::string> Placeholders(const std::string& text) {
    std::vector<std::string> found;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%') continue;
        found.push_back(text.substr(i, 2));
        ++i;
    }
    return found;
}

TEST(LanguageTest, EnglishTextsAreTheProgramsOwnWording) {
    EXPECT_STREQ(GetLangText(0, TextId::ProgramName), "KiroMeter2 USB FlashDisk");
    EXPECT_STREQ(GetLangText(0, TextId::MinutesUnit), "Mintues");
    EXPECT_STREQ(GetLangText(0, TextId::Congratulations), "Congraturation !!!");
    EXPECT_STREQ(GetLangText(0, TextId::SleepQuality), "Sleep Quaility");
    EXPECT_STREQ(GetLangText(0, TextId::SlightMove), "Slight Move > ");
    EXPECT_STREQ(GetLangText(0, TextId::StepRecorder24h), "Enable 24-hour Kiro-Meter");
    EXPECT_STREQ(
        GetLangText(0, TextId::ClockReport),
        "Driver %c:\nModel: X5%c\n\nLast Update: %s\n\nCurrent Time:%s\nWatch Time:  %s\n\nDifference: %s");
}

TEST(LanguageTest, EveryTextExistsInAllThreeLanguagesWithTheSamePlaceholders) {
    for (int i = 0; i < kTextCount; ++i) {
        const std::string english = GetLangText(kEnglish, static_cast<TextId>(i));
        ASSERT_FALSE(english.empty()) << i;
        for (int language : {kTraditionalChinese, kSimplifiedChinese}) {
            const std::string text = GetLangText(language, static_cast<TextId>(i));
            EXPECT_FALSE(text.empty()) << i;
            EXPECT_EQ(Placeholders(text), Placeholders(english)) << "text " << i << " language " << language;
        }
    }
    const std::vector<std::string> expected88 = {"%c", "%c", "%s", "%s", "%s", "%s"};
    for (int language = 0; language < 3; ++language)
        EXPECT_EQ(Placeholders(GetLangText(language, TextId::ClockReport)), expected88);
}

TEST(LanguageTest, PercentTextFormatsWithASinglePercentSign) {
    EXPECT_EQ(FormatText(GetLangText(kEnglish, TextId::PercentCompleted), 40), "40 % Compeleted");
}

TEST(LanguageTest, LanguagesOtherThanOneAndTwoGiveEnglish) {
    for (int language : {-1, 0, 3, 5, 7})
        EXPECT_STREQ(GetLangText(language, TextId::Report), "Report") << language;
    EXPECT_STRNE(GetLangText(1, TextId::Report), "Report");
    EXPECT_STRNE(GetLangText(1, TextId::Report), GetLangText(2, TextId::Report));
}

TEST(LanguageTest, DefaultLanguageFromTheAbbreviatedName) {
    EXPECT_EQ(DefaultLanguageFor("CHS"), 2);
    EXPECT_EQ(DefaultLanguageFor("CHT"), 1);
    EXPECT_EQ(DefaultLanguageFor("CHTX"), 1);
    EXPECT_EQ(DefaultLanguageFor("chs"), 0) << "the comparison is case-sensitive";
    EXPECT_EQ(DefaultLanguageFor("JPN"), 0);
    EXPECT_EQ(DefaultLanguageFor(""), 0);
}

TEST(LanguageTest, PosixLocalesMapToAbbreviatedNames) {
    EXPECT_EQ(AbbreviatedNameForPosixLocale("zh_CN.UTF-8"), "CHS");
    EXPECT_EQ(AbbreviatedNameForPosixLocale("zh_SG"), "CHS");
    EXPECT_EQ(AbbreviatedNameForPosixLocale("zh_TW.Big5"), "CHT");
    EXPECT_EQ(AbbreviatedNameForPosixLocale("zh_HK.UTF-8"), "CHT");
    EXPECT_EQ(AbbreviatedNameForPosixLocale("zh_MO"), "CHT");
    EXPECT_EQ(AbbreviatedNameForPosixLocale("ja_JP.UTF-8"), "ENU");
    EXPECT_EQ(AbbreviatedNameForPosixLocale("C"), "ENU");
    EXPECT_EQ(AbbreviatedNameForPosixLocale(""), "ENU");
}

}  // namespace
}  // namespace kiro
