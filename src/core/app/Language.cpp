#include "core/app/Language.h"

#include "core/app/LangTable.h"
#include "core/system/Locale.h"

namespace kiro {

int DefaultLanguageFor(std::string_view abbreviatedName) {
    const std::string_view head = abbreviatedName.substr(0, 3);
    if (head == "CHS") return kSimplifiedChinese;
    if (head == "CHT") return kTraditionalChinese;
    return kEnglish;
}

std::string AbbreviatedNameForPosixLocale(std::string_view posixLocale) {
    const std::string_view territory = posixLocale.substr(0, 5);
    if (territory == "zh_CN" || territory == "zh_SG") return "CHS";
    if (territory == "zh_TW" || territory == "zh_HK" || territory == "zh_MO") return "CHT";
    return "ENU";
}

std::string LocaleReportText(const Locale& locale) {
    const std::string system = locale.SystemLanguageName();
    const std::string user = locale.AbbreviatedLanguageName();
    std::string report;
    std::string previous;
    for (const auto& [row, name] : {std::pair{"System", system},
                                    {"User      ", user},
                                    {"Local System", system},
                                    {"Local User", user}}) {
        if (!name.empty()) previous = name;
        report += "\r\n" + std::string(row) + ":\t" + previous;
    }
    return report;
}

const char* GetLangText(int language, TextId text) {
    const int index = static_cast<int>(text);
    if (index < 0 || index >= kTextCount) return "";
    // The table holds the Big5 block, then the GBK block, then the English block.
    int block = 2;
    if (language == kTraditionalChinese) block = 0;
    if (language == kSimplifiedChinese) block = 1;
    return kLangTable[block * kTextCount + index];
}

}  // namespace kiro
