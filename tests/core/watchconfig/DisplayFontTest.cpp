// The display's fonts: the text font's shapes and widths, and the small number font.
#include "core/watchconfig/DisplayFont.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kiro {
namespace {

int ExpectedWidth(char c) {
    const std::pair<std::string, int> narrow[] = {{"!|", 1}, {"',.:;", 2}, {"\"()1I[]`il{}", 3}, {"<>jk", 4}};
    for (const auto& [characters, width] : narrow)
        if (characters.find(c) != std::string::npos) return width;
    return 5;
}

TEST(DisplayFontTest, EveryCharacterHasADistinctGlyphOfItsWidth) {
    std::set<TextGlyph> seen;
    for (int code = 0x20; code <= 0x7F; ++code) {
        const TextGlyph* glyph = FindTextGlyph(static_cast<uint8_t>(code));
        ASSERT_NE(glyph, nullptr) << code;
        const int width = GlyphWidth(*glyph);
        EXPECT_EQ(width, ExpectedWidth(static_cast<char>(code))) << static_cast<char>(code);
        for (int column = 0; column < 5; ++column) {
            const uint8_t byte = (*glyph)[column];
            EXPECT_TRUE(column < width ? (byte & 0x80) == 0 : byte == kGlyphEnd)
                << "seven dots a column and nothing after the end: " << static_cast<char>(code);
        }
        if (code != ' ') {
            EXPECT_NE((*glyph)[0] | (*glyph)[width - 1], 0) << "no blank edge column: " << code;
        }
        EXPECT_TRUE(seen.insert(*glyph).second) << "two characters look alike: " << static_cast<char>(code);
    }
}

TEST(DisplayFontTest, KnownShapes) {
    const std::pair<char, TextGlyph> shapes[] = {
        {'0', {0x3E, 0x51, 0x49, 0x45, 0x3E}}, {'A', {0x7E, 0x11, 0x11, 0x11, 0x7E}},
        {'K', {0x7F, 0x08, 0x14, 0x22, 0x41}}, {'a', {0x20, 0x54, 0x54, 0x54, 0x78}},
        {'!', {0x4F, 0xFF, 0xFF, 0xFF, 0xFF}}, {' ', {0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const auto& [c, glyph] : shapes) EXPECT_EQ(*FindTextGlyph(static_cast<uint8_t>(c)), glyph) << c;
}

TEST(DisplayFontTest, BytesOutsideTheFontHaveNoGlyph) {
    for (int code : {0x00, 0x0A, 0x1F, 0x80, 0xA9, 0xFF})
        EXPECT_EQ(FindTextGlyph(static_cast<uint8_t>(code)), nullptr);
}

TEST(DisplayFontTest, DigitsAndUnitsFitTheirCorners) {
    for (int digit = 0; digit <= 9; ++digit)
        for (uint8_t line : DigitGlyph(digit)) EXPECT_EQ(line & ~0x07, 0) << "three dots wide: " << digit;
    for (SizeUnit unit : {SizeUnit::Kilo, SizeUnit::Mega, SizeUnit::Giga, SizeUnit::Tera})
        EXPECT_EQ(UnitGlyph(unit)[0], 0) << "a free line between the size and its unit";
}

}  // namespace
}  // namespace kiro
