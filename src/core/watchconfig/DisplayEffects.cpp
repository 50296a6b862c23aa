#include "core/watchconfig/DisplayEffects.h"

#include <algorithm>

namespace kiro {
namespace {

constexpr int kLastLine = kDisplayLines - 1;
constexpr int kEffectCount = 11;
// The dot columns of a line, and the bit above them that the display never shows.
constexpr int kDots = 7;
constexpr uint8_t kUnseenBit = 0x80;

// Line arithmetic is 8-bit: whatever is shifted above bit 7 is lost.
uint8_t Byte(int value) {
    return static_cast<uint8_t>(value);
}

void Clear(DisplayFrame& lines) {
    std::fill(lines.begin(), lines.begin() + kDisplayLines, 0);
}

// Replaces the bits of `mask` in a line with the target's.
void Settle(uint8_t& line, uint8_t target, uint8_t mask) {
    line = Byte((line & ~mask) | (target & mask));
}

// Whether the old picture first has to be moved away: a blank display has nothing to move.
bool HasPicture(const EffectStage& stage) {
    return !IsBlank(stage.lines);
}

void ShiftLeft(EffectStage& stage, const DisplayFrame& target) {
    DisplayFrame& lines = stage.lines;
    if (HasPicture(stage))
        for (int step = 0; step < 3; ++step) {
            for (int r = 0; r < kDisplayLines; ++r) lines[r] = Byte(lines[r] << 1);
            stage.delay(200);
        }
    for (int i = 0; i < kDots; ++i) {
        for (int r = 0; r < kDisplayLines; ++r) lines[r] = Byte((target[r] >> (6 - i)) | (lines[r] << 1));
        stage.delay(200);
    }
}

void ShiftRight(EffectStage& stage, const DisplayFrame& target) {
    DisplayFrame& lines = stage.lines;
    if (HasPicture(stage))
        for (int step = 0; step < 3; ++step) {
            for (int r = 0; r < kDisplayLines; ++r) lines[r] = Byte(lines[r] >> 1);
            stage.delay(200);
        }
    for (int i = 0; i < kDots; ++i) {
        for (int r = 0; r < kDisplayLines; ++r) lines[r] = Byte((target[r] << (6 - i)) | (lines[r] >> 1));
        stage.delay(200);
    }
}

// Each target line, from the bottom up, falls through every line above its place.
void RainDrop(EffectStage& stage, const DisplayFrame& target) {
    for (int i = kLastLine; i >= 0; --i)
        for (int j = 0; j <= i; ++j) {
            stage.lines[j] = target[i];
            stage.delay(20);
        }
}

void ScrollUp(EffectStage& stage, const DisplayFrame& target) {
    DisplayFrame& lines = stage.lines;
    const auto moveUp = [&lines](uint8_t incoming) {
        std::copy(lines.begin() + 1, lines.begin() + kDisplayLines, lines.begin());
        lines[kLastLine] = incoming;
    };
    if (HasPicture(stage))
        for (int step = 0; step < 6; ++step) {
            moveUp(0);
            stage.delay(50);
        }
    for (int i = 0; i < kDisplayLines; ++i) {
        moveUp(target[i]);
        stage.delay(50);
    }
}

void ScrollDown(EffectStage& stage, const DisplayFrame& target) {
    DisplayFrame& lines = stage.lines;
    const auto moveDown = [&lines](uint8_t incoming) {
        std::copy_backward(lines.begin(), lines.begin() + kLastLine, lines.begin() + kDisplayLines);
        lines[0] = incoming;
    };
    if (HasPicture(stage))
        for (int step = 0; step < 6; ++step) {
            moveDown(0);
            stage.delay(50);
        }
    for (int i = 0; i < kDisplayLines; ++i) {
        moveDown(target[kLastLine - i]);
        stage.delay(50);
    }
}

// A dot runs along every line, even a blank one, and leaves the target's dots behind it.
void ScanOut(EffectStage& stage, const DisplayFrame& target) {
    for (int r = 0; r < kDisplayLines; ++r) {
        uint8_t& line = stage.lines[r];
        // The dot never touches the unseen bit, so the target's comes at once: the line must
        // end equal to its target.
        line = target[r] & kUnseenBit;
        for (int i = 0; i < kDots; ++i) {
            line = Byte(line | (1 << (6 - i)));
            stage.delay(20);
            line &= target[r];
        }
    }
}

// The left part of the picture (dots 0..3) slides in from the left edge, the right part (dots
// 3..6) from the right edge.
void DoorClose(EffectStage& stage, const DisplayFrame& target) {
    // The left part carries the unseen bit along: it is shifted out until the last step, where it
    // makes the line whole.
    constexpr uint8_t kLeftPart = 0xF8;
    constexpr uint8_t kRightPart = 0x0F;
    Clear(stage.lines);
    for (int i = 0; i < 4; ++i) {
        for (int r = 0; r < kDisplayLines; ++r)
            stage.lines[r] =
                Byte(((target[r] & kLeftPart) << (3 - i)) | ((target[r] & kRightPart) >> (3 - i)));
        stage.delay(200);
    }
}

// Random dots fill the display, then random dots that are not in the target go away.
void MistOut(EffectStage& stage, const DisplayFrame& target) {
    constexpr int kRounds = 20;
    constexpr int kFillingRounds = 10;
    DisplayFrame& lines = stage.lines;
    Clear(lines);
    for (int round = 0; round < kRounds; ++round)
        for (int r = 0; r < kDisplayLines; ++r) {
            if (round < kFillingRounds)
                lines[r] |= stage.randomByte();
            else
                lines[r] &= stage.randomByte() | target[r];
            stage.delay(10);
        }
    // Twenty rounds may leave a stray dot.
    std::copy(target.begin(), target.begin() + kDisplayLines, lines.begin());
}

// The left half of every line (bits 7..4) moves down and the right half (bits 3..0) moves up.
void UpAndDown(EffectStage& stage, const DisplayFrame& target) {
    constexpr uint8_t kLeft = 0xF0;
    constexpr uint8_t kRight = 0x0F;
    DisplayFrame& lines = stage.lines;
    if (HasPicture(stage)) {
        // One step of the upper half only, before the new picture comes in.
        for (int r = 5; r >= 1; --r) Settle(lines[r], lines[r - 1], kLeft);
        for (int r = 0; r <= 5; ++r) Settle(lines[r], lines[r + 1], kRight);
        lines[0] &= kRight;
        lines[kLastLine] &= kLeft;
        stage.delay(100);
    }
    for (int i = 0; i < kDisplayLines; ++i) {
        for (int r = kLastLine; r >= 1; --r) Settle(lines[r], lines[r - 1], kLeft);
        Settle(lines[0], target[kLastLine - i], kLeft);
        for (int r = 0; r < kLastLine; ++r) Settle(lines[r], lines[r + 1], kRight);
        Settle(lines[kLastLine], target[i], kRight);
        stage.delay(100);
    }
}

// The upper half moves down and the lower half up, meeting on line 6, which the lower half wins.
void UpAndDown2(EffectStage& stage, const DisplayFrame& target) {
    constexpr int kMiddle = 6;
    DisplayFrame& lines = stage.lines;
    const auto moveToMiddle = [&lines] {
        for (int r = kMiddle; r >= 1; --r) lines[r] = lines[r - 1];
        for (int r = kMiddle; r < kLastLine; ++r) lines[r] = lines[r + 1];
    };
    if (HasPicture(stage))
        for (int step = 0; step <= kMiddle; ++step) {
            moveToMiddle();
            lines[0] = 0;
            lines[kLastLine] = 0;
            stage.delay(200);
        }
    for (int i = 0; i <= kMiddle; ++i) {
        moveToMiddle();
        lines[kLastLine] = target[kMiddle + i];
        lines[0] = target[kMiddle - i];
        stage.delay(200);
    }
}

// A line of every other dot sweeps down and one of the dots between sweeps up; each leaves the
// target's dots of its kind behind.
void LineOut(EffectStage& stage, const DisplayFrame& target) {
    constexpr uint8_t kDownDots = 0x55;
    constexpr uint8_t kUpDots = 0xAA;
    DisplayFrame& lines = stage.lines;
    Clear(lines);
    for (int i = 0; i <= kDisplayLines; ++i) {
        if (i > 0) {
            Settle(lines[i - 1], target[i - 1], kDownDots);
            Settle(lines[kDisplayLines - i], target[kDisplayLines - i], kUpDots);
        }
        if (i < kDisplayLines) {
            lines[i] |= kDownDots;
            lines[kLastLine - i] |= kUpDots;
        }
        stage.delay(200);
    }
}

using Effect = void (*)(EffectStage&, const DisplayFrame&);
constexpr Effect kEffects[kEffectCount] = {ShiftLeft,  RainDrop, ScrollUp,  ScrollDown, ScanOut, DoorClose,
                                           ShiftRight, MistOut,  UpAndDown, UpAndDown2, LineOut};

}  // namespace

bool IsBlank(const DisplayFrame& frame) {
    return std::all_of(frame.begin(), frame.begin() + kDisplayLines, [](uint8_t line) { return line == 0; });
}

void PlayTransition(int value, const DisplayFrame& target, EffectStage& stage) {
    const int effect = (value % kEffectCount + kEffectCount) % kEffectCount;
    kEffects[effect](stage, target);
}

}  // namespace kiro
