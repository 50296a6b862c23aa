// The Linux adapters for texts and locale: Big5/GBK table texts turn into the Unicode the
// translators wrote, and the locale is taken from the environment in the POSIX order.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "core/app/Language.h"
#include "platform/linux/EnvironmentLocale.h"
#include "platform/linux/IconvTextCodec.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

// Built afresh rather than replaced in place: GCC 12 at -O3 warns wrongly about overlapping
// copies inside std::string::replace.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\n") == 0) {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

TEST(IconvTextCodecTest, StoredChineseTextsConvertToTheTranslatorsUnicode) {
    std::ifstream source(std::string(KIRO_SOURCE_DIR) + "/src/core/app/texts/ui_texts.tsv");
    ASSERT_TRUE(source.good());
    linux_platform::IconvTextCodec codec;
    std::string line;
    int checked = 0;
    while (std::getline(source, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '\t')) fields.push_back(field);
        ASSERT_EQ(fields.size(), 4u) << line;
        const int index = std::stoi(fields[0]);
        EXPECT_EQ(codec.ToUtf8(GetLangText(kEnglish, index), kEnglish), Unescape(fields[1]));
        EXPECT_EQ(codec.ToUtf8(GetLangText(kTraditionalChinese, index), kTraditionalChinese),
                  Unescape(fields[2]));
        EXPECT_EQ(codec.ToUtf8(GetLangText(kSimplifiedChinese, index), kSimplifiedChinese),
                  Unescape(fields[3]));
        ++checked;
    }
    EXPECT_EQ(checked, kTextCount);
}

TEST(IconvTextCodecTest, KnownBytesOfEachEncoding) {
    linux_platform::IconvTextCodec codec;
    EXPECT_EQ(codec.ToUtf8("\xB3\xF8\xAA\xED", kTraditionalChinese), "報表");  // Big5
    EXPECT_EQ(codec.ToUtf8("\xB1\xA8\xB1\xED", kSimplifiedChinese), "报表");   // GBK
    EXPECT_EQ(codec.ToUtf8("\xFF", kSimplifiedChinese), "\xEF\xBF\xBD") << "a stray byte shows as a mark";
    EXPECT_EQ(codec.FromUtf8("報表", kTraditionalChinese), "\xB3\xF8\xAA\xED");
    EXPECT_EQ(codec.FromUtf8("报表", kSimplifiedChinese), "\xB1\xA8\xB1\xED");
    EXPECT_EQ(codec.FromUtf8("a\xF0\x9F\x98\x80"
                             "b",
                             kTraditionalChinese),
              "a?b")
        << "a character Big5 lacks becomes one mark";
}

TEST(EnvironmentLocaleTest, LcAllThenLcMessagesThenLang) {
    std::map<std::string, std::string> environment{{"LANG", "zh_TW.UTF-8"}, {"LC_MESSAGES", ""}};
    const auto lookup = [&environment](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    };
    kiro::test::TempFolder etc;
    etc.Write("default-locale", "# the machine's locale\nLANG=\"zh_CN.UTF-8\"\n");
    linux_platform::EnvironmentLocale locale(lookup, {etc.File("missing"), etc.File("default-locale")});
    EXPECT_EQ(locale.SystemLanguageName(), "CHS") << "the machine's own file, not the environment";
    EXPECT_EQ(locale.AbbreviatedLanguageName(), "CHT");
    environment["LC_MESSAGES"] = "zh_CN.UTF-8";
    EXPECT_EQ(locale.AbbreviatedLanguageName(), "CHS");
    environment["LC_ALL"] = "en_US.UTF-8";
    EXPECT_EQ(locale.AbbreviatedLanguageName(), "ENU");
}

}  // namespace
}  // namespace kiro
