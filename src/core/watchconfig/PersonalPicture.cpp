#include "core/watchconfig/PersonalPicture.h"

#include <algorithm>

#include "core/app/Language.h"
#include "core/base/HexText.h"

namespace kiro {
namespace {

template <size_t N>
PictureLines FromList(const uint8_t (&bytes)[N]) {
    return PictureFromBytes(bytes, N);
}

// Lines up to and including the last one that has a dot.
size_t UsedLineCount(const PictureLines& lines) {
    size_t count = lines.size();
    while (count > 0 && lines[count - 1] == 0) --count;
    return count;
}

}  // namespace

void ToggleDot(PictureLines& lines, int line, int dot) {
    if (line < 0 || line >= kPictureLines || dot < 0 || dot >= kPictureDots) return;
    lines[line] ^= static_cast<uint8_t>(1u << (6 - dot));
}

PictureLines PictureFromBytes(const uint8_t* bytes, size_t count) {
    PictureLines lines{};
    for (size_t i = 0; i < count && i < lines.size() && bytes[i] != kPictureEnd; ++i)
        lines[i] = bytes[i] & 0x7F;  // bit 7 is no dot
    return lines;
}

std::vector<uint8_t> UsedPictureLines(const PictureLines& lines) {
    return std::vector<uint8_t>(lines.begin(),
                                lines.begin() + static_cast<std::ptrdiff_t>(UsedLineCount(lines)));
}

std::string PictureSlotValue(const PictureLines& lines) {
    const std::vector<uint8_t> used = UsedPictureLines(lines);
    return ToHexPairs(used.data(), used.size());
}

PictureLines PictureFromSlot(std::string_view value) {
    std::array<uint8_t, kPictureBytes> bytes = WatchSettings::FilledPicture();
    DecodeHexPairs(value, bytes.data(), kPictureLines);
    return PictureFromBytes(bytes.data(), bytes.size());
}

PictureLines PresetPictureLines(PresetPicture preset, int language) {
    // A heart, a raised thumb; the Chinese ones spell their words beside the drawing.
    static constexpr uint8_t kHeart[] = {0x00, 0x36, 0x49, 0x41, 0x41, 0x22, 0x14, 0x08};
    static constexpr uint8_t kThumb[] = {0x00, 0x0C, 0x14, 0x14, 0x67, 0x61, 0x61, 0x61, 0x61, 0x5E};
    static constexpr uint8_t kGoodFeelingChinese[] = {
        0x2F, 0x21, 0x72, 0x54, 0x5F, 0x52, 0x62, 0x22, 0x72, 0x52, 0x4C, 0x00, 0x00, 0x36, 0x49, 0x41, 0x41,
        0x22, 0x14, 0x08, 0x00, 0x04, 0x2F, 0x24, 0x6F, 0x74, 0x6F, 0x60, 0x2F, 0x29, 0x2F, 0x29, 0x2F, 0x29};
    static constexpr uint8_t kGoChinese[] = {0x20, 0x20, 0x7F, 0x2D, 0x2D, 0x2D, 0x2D, 0x2D,
                                             0x4F, 0x50, 0x00, 0x44, 0x24, 0x1F, 0x15, 0x55,
                                             0x35, 0x1F, 0x15, 0x35, 0x5F, 0x51};
    const bool chinese = language == kTraditionalChinese || language == kSimplifiedChinese;
    if (preset == PresetPicture::GoodFeeling)
        return chinese ? FromList(kGoodFeelingChinese) : FromList(kHeart);
    return chinese ? FromList(kGoChinese) : FromList(kThumb);
}

void TakePictureForBlock(WatchSettings& settings, const PictureLines& lines) {
    std::copy(lines.begin(), lines.end(), settings.uPic.begin());
    for (int line = kPictureLines - 1; line >= 1 && settings.uPic[line] == 0; --line)
        settings.uPic[line] = kPictureEnd;
}

void TakePictureForFile(WatchSettings& settings, const PictureLines& lines) {
    const size_t used = UsedLineCount(lines);
    std::copy(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(used), settings.uPic.begin());
    settings.uPic[used] = kPictureEnd;
}

void TakePictureForFactory(WatchSettings& settings, const PictureLines& lines) {
    std::copy(lines.begin(), lines.end(), settings.uPic.begin());
    for (int i = kPictureBytes - 1; i >= 0 && (settings.uPic[i] == 0x00 || settings.uPic[i] == kPictureEnd);
         --i)
        settings.uPic[i] = kPictureEnd;
}

}  // namespace kiro
