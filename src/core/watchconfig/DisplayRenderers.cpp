#include <algorithm>

#include "core/base/HexText.h"
#include "core/watch/WatchSettings.h"
#include "core/watchconfig/DisplayFont.h"
#include "core/watchconfig/DisplaySim.h"

namespace kiro {
namespace {

constexpr int kDigitLines = 5;
constexpr int kLargestPair = 99;

// Two digits side by side on five lines from `firstLine`: the first in dots 0..2, the second in
// dots 4..6. A value that two digits cannot hold shows as the nearest one they can.
void PutDigitPair(DisplayFrame& frame, int firstLine, int value) {
    const int shown = std::clamp(value, 0, kLargestPair);
    const LineGlyph& first = DigitGlyph(shown / 10);
    const LineGlyph& second = DigitGlyph(shown % 10);
    for (int i = 0; i < kDigitLines; ++i)
        frame[firstLine + i] = static_cast<uint8_t>(first[i] << 4 | second[i]);
}

// A size as two digits, maybe with a decimal point between them, and a unit.
struct ShownSize {
    uint64_t digits = 0;
    bool point = false;
    SizeUnit unit = SizeUnit::Kilo;
};

// Below 100 the size shows in whole units; below 10240 in tenths of the next unit, a tenth taken as
// 102 of the smaller ones; otherwise it moves on to the next unit. Terabytes are the last.
ShownSize ScaleSize(uint64_t kilobytes) {
    constexpr SizeUnit kSteps[] = {SizeUnit::Kilo, SizeUnit::Mega, SizeUnit::Giga, SizeUnit::Tera};
    uint64_t value = kilobytes;
    for (int step = 0; step < 3; ++step) {
        if (value < 100) return {value, false, kSteps[step]};
        if (value < 10240) return {value / 102, true, kSteps[step + 1]};
        value /= 1024;
    }
    return {value, false, SizeUnit::Tera};
}

}  // namespace

std::string FrameHex(const DisplayFrame& frame) {
    return ToHexPairs(frame.data(), kDisplayLines);
}

std::optional<DisplayFrame> ParseFrameHex(std::string_view hex) {
    DisplayFrame frame{};
    if (hex.size() != 2 * kDisplayLines || DecodeHexPairs(hex, frame.data(), kDisplayLines) != kDisplayLines)
        return std::nullopt;
    return frame;
}

DisplayFrame RenderTime(int hour, int minute) {
    constexpr uint8_t kColon = 0x14;
    DisplayFrame frame{};
    PutDigitPair(frame, 0, hour);
    frame[6] = kColon;
    PutDigitPair(frame, 8, minute);
    return frame;
}

DisplayFrame RenderDate(int month, int day) {
    DisplayFrame frame{};
    PutDigitPair(frame, 1, month);
    PutDigitPair(frame, 7, day);
    return frame;
}

DisplayFrame RenderSize(uint64_t kilobytes) {
    constexpr uint8_t kDecimalPoint = 0x08;
    constexpr int kUnitLine = 8;
    const ShownSize size = ScaleSize(kilobytes);
    DisplayFrame frame{};
    PutDigitPair(frame, 0, static_cast<int>(std::min<uint64_t>(size.digits, kLargestPair)));
    if (size.point) frame[5] = kDecimalPoint;
    const LineGlyph& unit = UnitGlyph(size.unit);
    std::copy(unit.begin(), unit.end(), frame.begin() + kUnitLine);
    return frame;
}

DisplayFrame RenderBattery(int reading) {
    constexpr int kLowestBar = 11;
    constexpr uint8_t kFullBar = 0x7F;
    DisplayFrame frame{};
    std::copy(kBatteryPicture.begin(), kBatteryPicture.end(), frame.begin());
    const auto bars = std::count_if(kBatteryThresholds.begin(), kBatteryThresholds.end(),
                                    [reading](int threshold) { return threshold <= reading; });
    std::fill(frame.begin() + kLowestBar - bars, frame.begin() + kLowestBar + 1, kFullBar);
    return frame;
}

DisplayFrame RenderSteps(int count) {
    constexpr int kBarDots = 7;
    const int steps = std::max(count, 0);
    DisplayFrame frame{};
    // The ten-thousands as a bar of dots from the right; eight and nine fill the whole line.
    const int tenThousands = std::min(steps / 10000 % 10, kBarDots);
    frame[0] = static_cast<uint8_t>((1 << tenThousands) - 1);
    PutDigitPair(frame, 2, steps / 100 % 100);
    PutDigitPair(frame, 8, steps % 100);
    return frame;
}

DisplayFrame StepIcon() {
    DisplayFrame frame{};
    std::copy(kStepIcon.begin(), kStepIcon.end(), frame.begin());
    return frame;
}

DisplayFrame RenderPicture(const std::array<uint8_t, 40>& picture) {
    const auto end = std::find(picture.begin(), picture.begin() + kDisplayLines, kPictureEnd);
    DisplayFrame frame{};
    std::copy(picture.begin(), end, frame.begin());
    return frame;
}

DisplayFrame VisibleFrame(const DisplayFrame& frame, uint16_t blinkMask, uint32_t tickCount) {
    DisplayFrame visible = frame;
    if (tickCount % 1000 >= 500) return visible;
    for (int line = 0; line < kDisplayLines; ++line)
        if ((blinkMask >> line) & 1) visible[line] = 0;
    return visible;
}

}  // namespace kiro
