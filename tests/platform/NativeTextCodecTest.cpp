// The system's text conversion: Big5/GBK table texts turn into the Unicode the translators
// wrote, and back.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/app/Language.h"
#include "platform/NativePlatform.h"

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

TEST(NativeTextCodecTest, StoredChineseTextsConvertToTheTranslatorsUnicode) {
    std::ifstream source(std::string(KIRO_SOURCE_DIR) + "/src/core/app/texts/ui_texts.tsv");
    ASSERT_TRUE(source.good());
    NativeTextCodec codec;
    std::string line;
    int checked = 0;
    while (std::getline(source, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '\t')) fields.push_back(field);
        ASSERT_EQ(fields.size(), 5u) << line;
        const auto index = static_cast<TextId>(std::stoi(fields[0]));
        EXPECT_EQ(codec.ToUtf8(GetLangText(kEnglish, index), kEnglish), Unescape(fields[2]));
        EXPECT_EQ(codec.ToUtf8(GetLangText(kTraditionalChinese, index), kTraditionalChinese),
                  Unescape(fields[3]));
        EXPECT_EQ(codec.ToUtf8(GetLangText(kSimplifiedChinese, index), kSimplifiedChinese),
                  Unescape(fields[4]));
        ++checked;
    }
    EXPECT_EQ(checked, kTextCount);
}

TEST(NativeTextCodecTest, KnownBytesOfEachEncoding) {
    NativeTextCodec codec;
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

}  // namespace
}  // namespace kiro
