#pragma once
#include <string>
#include <string_view>

namespace kiro {

class Locale;

enum Language : int { kEnglish = 0, kTraditionalChinese = 1, kSimplifiedChinese = 2 };

// Texts 0..124 are the program's own table; the texts after them were added since: 125..134
// report failures of the program folder and the watch (see StatusText), 135 heads the cadence
// column of the reports, 136 reports settings that did not reach a device-mode watch, 137 a watch
// file that could not be read, 138 and 139 updates that cannot come (see StatusText), 140..184
// the accessible names and descriptions of the window's controls (see gui/AccessibleTexts.h).
inline constexpr int kTextCount = 187;

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

// Text `index` (0..kTextCount - 1) of the table in a language; values other than 1 and 2 give English.
// The text is in the language's 8-bit encoding (see TextCodec).
const char* GetLangText(int language, int index);

}  // namespace kiro
