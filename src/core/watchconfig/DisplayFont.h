#pragma once
#include <array>
#include <cstdint>

namespace kiro {

// Five display lines of a small glyph, top line first.
using LineGlyph = std::array<uint8_t, 5>;

// A digit 0..9 of the 3-by-5 number font, in bits 2..0 of each line (bit 2 leftmost).
const LineGlyph& DigitGlyph(int digit);

// The unit shown below a disk size.
enum class SizeUnit { Kilo, Mega, Giga, Tera };
const LineGlyph& UnitGlyph(SizeUnit unit);

// An empty battery standing upright; its bars fill from line 11 upwards.
inline constexpr std::array<uint8_t, 13> kBatteryPicture = {0x00, 0x3E, 0x22, 0x7F, 0x41, 0x41, 0x41,
                                                            0x41, 0x41, 0x41, 0x41, 0x7F, 0x00};
// Each threshold that a reading reaches fills one more bar.
inline constexpr std::array<int, 8> kBatteryThresholds = {189, 202, 207, 211, 215, 219, 229, 234};
// The PC cannot read the watch's battery, so the simulation shows a fixed, half-full reading.
inline constexpr int kSimulatedBatteryReading = 211;

// A walking figure, shown before the step count.
inline constexpr std::array<uint8_t, 13> kStepIcon = {0x18, 0x3C, 0x3C, 0x18, 0x00, 0x19, 0x3E,
                                                      0x78, 0x58, 0x1E, 0x31, 0x61, 0x40};
// The PC does not know today's steps either: a fixed count stands in for them.
inline constexpr int kSimulatedStepCount = 1234;

// A character of the 5-by-7 text font: up to five columns, bit 0 the top dot; kGlyphEnd ends a
// narrower glyph.
using TextGlyph = std::array<uint8_t, 5>;
inline constexpr uint8_t kGlyphEnd = 0xFF;

// The glyph of a character 0x20..0x7F, or nullptr for a byte the font does not draw.
const TextGlyph* FindTextGlyph(uint8_t code);
// The number of columns before the glyph's end mark.
int GlyphWidth(const TextGlyph& glyph);

}  // namespace kiro
