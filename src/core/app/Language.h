#pragma once
#include <string>
#include <string_view>

#include "generated/TextId.h"

namespace kiro {

class Locale;

enum Language : int { kEnglish = 0, kTraditionalChinese = 1, kSimplifiedChinese = 2 };

// The text `offset` places after `first`, in a run of texts that go together (the weekdays from
// Sunday, the four kinds of mission, the three languages).
constexpr TextId TextAfter(TextId first, int offset) {
    return static_cast<TextId>(static_cast<int>(first) + offset);
}

// The default language for a locale's abbreviated name: "CHS..." Simplified, "CHT..."
// Traditional, anything else English. The comparison is case-sensitive.
int DefaultLanguageFor(std::string_view abbreviatedName);

// The abbreviated language name for a POSIX locale name such as "zh_TW.UTF-8":
// zh_CN and zh_SG give "CHS", zh_TW, zh_HK and zh_MO give "CHT", anything else "ENU".
std::string AbbreviatedNameForPosixLocale(std::string_view posixLocale);

// The locale report of the options page: for the rows "System", "User      ", "Local System" and
// "Local User" in turn, "\r\n<row>:\t<name>" with the abbreviated language name of the machine's
// default locale (System rows) or the user's (User rows); a name that cannot be had repeats the
// row before it (an empty name for the first).
std::string LocaleReportText(const Locale& locale);

// A text of the table in a language; languages other than 1 and 2 give English, a value outside
// the table an empty text. The text is in the language's 8-bit encoding (see TextCodec).
const char* GetLangText(int language, TextId text);

}  // namespace kiro
