#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/watch/WatchSettings.h"

namespace kiro {

// The personal picture as the editor holds it: 39 lines of 7 dots, dot j of a line (j = 0 the
// leftmost column) in bit 6 - j. A line without dots is 0.
inline constexpr int kPictureLines = 39;
inline constexpr int kPictureDots = 7;
using PictureLines = std::array<uint8_t, kPictureLines>;

inline bool DotOn(const PictureLines& lines, int line, int dot) {
    return (lines[line] >> (6 - dot)) & 1;
}
void ToggleDot(PictureLines& lines, int line, int dot);

// A stored or transferred picture, whose first 0xFF ends it, as editor lines.
PictureLines PictureFromBytes(const uint8_t* bytes, size_t count);
// The lines from the first to the last one with a dot; none for a blank picture.
std::vector<uint8_t> UsedPictureLines(const PictureLines& lines);
// A picture slot's value: the used lines as upper-case hexadecimal pairs ("" when blank).
std::string PictureSlotValue(const PictureLines& lines);
// A slot's value read back (hexadecimal pairs up to the first pair that is not one).
PictureLines PictureFromSlot(std::string_view value);

// The two pictures of the page's buttons, in the program's language (0 English, else Chinese).
enum class PresetPicture { GoodFeeling, Go };
PictureLines PresetPictureLines(PresetPicture preset, int language);

// The picture into the settings as each way of saving takes it:
// for a device-mode watch all 39 lines, empty lines at the end (down to line 1) marked 0xFF;
void TakePictureForBlock(WatchSettings& settings, const PictureLines& lines);
// for CLOCK.TXT the used lines, the byte after them 0xFF;
void TakePictureForFile(WatchSettings& settings, const PictureLines& lines);
// for the factory window all 39 lines, every trailing byte that is 0x00 or 0xFF marked 0xFF.
void TakePictureForFactory(WatchSettings& settings, const PictureLines& lines);

}  // namespace kiro
