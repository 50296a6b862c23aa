#include "core/watchconfig/DisplaySim.h"

#include <algorithm>

#include "core/base/HexText.h"
#include "core/watch/WatchSettings.h"
#include "core/watchconfig/DisplayEffects.h"
#include "core/watchconfig/DisplayFont.h"

namespace kiro {
namespace {

constexpr int kLastSped = 8;
constexpr int kWaitSliceMs = 100;
constexpr int kScrollStepMs = 100;
// The time's colon blinks.
constexpr uint16_t kTimeColonLine = 1 << 6;
// A picture of up to this many lines stands still; a longer one scrolls through.
constexpr int kStillPictureLines = 12;

// Lines 0..last - 1 take the line below them; line `last` keeps its own.
void MoveUp(DisplayFrame& frame, int last) {
    std::copy(frame.begin() + 1, frame.begin() + last + 1, frame.begin());
}

// Takes the next character of the message: writes its glyph from line `at` on, with one empty line
// after it, and returns the line after that. A byte without a glyph takes no room. Returns `at`
// when nothing was written.
int WriteNextCharacter(DisplayFrame& frame, const std::string& message, size_t& next, int at) {
    if (next >= message.size()) return at;
    // A byte without a glyph writes nothing, but it is taken in a step of the scroll of its own,
    // as the watch takes it.
    const TextGlyph* glyph = FindTextGlyph(static_cast<uint8_t>(message[next++]));
    if (glyph == nullptr) return at;
    const int width = GlyphWidth(*glyph);
    std::copy(glyph->begin(), glyph->begin() + width, frame.begin() + at);
    frame[at + width] = 0;
    return at + width + 1;
}

int PictureLines(const std::array<uint8_t, kPictureBytes>& picture) {
    return static_cast<int>(std::find(picture.begin(), picture.end(), kPictureEnd) - picture.begin());
}

}  // namespace

DisplaySim::DisplaySim(Random& random, Clock& clock, DisplayObserver& observer, int sped)
    : random_(random), clock_(clock), observer_(observer), sped_(std::clamp(sped, 0, kLastSped)) {}

void DisplaySim::ShowAtOnce(const DisplayFrame& frame) {
    current_ = frame;
}

void DisplaySim::Delay(int milliseconds) {
    const int scaled = milliseconds * kSpeedFactors[sped_] / 100;
    observer_.StepShown(current_, scaled);
    clock_.Sleep(static_cast<uint32_t>(scaled));
    observer_.Pump();
}

bool DisplaySim::Wait(int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += kWaitSliceMs) {
        observer_.Pump();
        if (observer_.StopRequested()) return false;
        clock_.Sleep(kWaitSliceMs);
    }
    return true;
}

void DisplaySim::SetBlink(uint16_t mask) {
    blink_ = mask;
    observer_.BlinkChanged(mask);
}

void DisplaySim::PlayEffect(int value, const DisplayFrame& target) {
    EffectStage stage{current_, [this](int milliseconds) { Delay(milliseconds); },
                      [this] { return static_cast<uint8_t>(random_.Next() & 0xFF); }};
    PlayTransition(value, target, stage);
}

// The text enters below the display and leaves at the top; `end` is the line after the text
// written so far, where the next character goes once the text has moved up to the display's edge.
void DisplaySim::ScrollMessage(const std::string& message) {
    if (!IsBlank(current_))
        for (int step = 0; step < 6; ++step) {
            MoveUp(current_, kDisplayLines - 1);
            current_[kDisplayLines - 1] = 0;
            Delay(kScrollStepMs);
        }
    size_t next = 0;
    int end = kDisplayLines;
    while (end > 0) {
        if (end <= kDisplayLines) end = WriteNextCharacter(current_, message, next, end);
        current_[end] = 0;
        MoveUp(current_, end);
        --end;
        Delay(kScrollStepMs);
    }
}

void DisplaySim::ScrollPicture(const std::array<uint8_t, 40>& picture) {
    const auto scrollIn = [this](uint8_t line) {
        current_[kDisplayLines] = line;
        MoveUp(current_, kDisplayLines);
        Delay(kScrollStepMs);
    };
    std::fill(current_.begin(), current_.begin() + kDisplayLines, 0);
    const int lines = PictureLines(picture);
    for (int i = 0; i < lines; ++i) scrollIn(picture[i]);
    for (int i = 0; i < kDisplayLines; ++i) scrollIn(0);
}

bool DisplaySim::ShowItem(TextId text, int effect, const DisplayFrame& frame, int holdMs) {
    observer_.StatusChanged(text);
    PlayEffect(effect, frame);
    return Wait(holdMs);
}

bool DisplaySim::ShowPicture(const std::string& pictureHex, int effect) {
    std::array<uint8_t, kPictureBytes> picture;
    picture.fill(kPictureEnd);
    DecodeHexPairs(pictureHex, picture.data(), kPictureBytes - 1);
    const int lines = PictureLines(picture);
    if (lines == 0) return true;
    observer_.StatusChanged(TextId::PersonalGraphic);
    if (lines <= kStillPictureLines) {
        PlayEffect(effect, RenderPicture(picture));
        return Wait(1000);
    }
    ScrollPicture(picture);
    return true;
}

void DisplaySim::ShowStepCount(int effect) {
    observer_.StatusChanged(TextId::ShowKiro);
    ShowAtOnce(StepIcon());
    if (Wait(1000)) {
        PlayEffect(effect, RenderSteps(kSimulatedStepCount));
        Wait(2000);
    }
}

void DisplaySim::RunSequence(const DisplayInput& input, const LocalTime& now, uint64_t totalKb,
                             uint64_t freeKb) {
    sped_ = std::clamp(input.sped, 0, kLastSped);
    const auto& disp = input.disp;
    if (disp[0] != kSkipItem) {
        SetBlink(kTimeColonLine);
        const bool going = ShowItem(TextId::ShowTime, disp[0], RenderTime(now.hour, now.minute), 4000);
        // The blinking belongs to the colon: no later item may blink, whether the date follows or not.
        SetBlink(0);
        if (!going) return;
    }
    if (disp[1] != kSkipItem && !ShowItem(TextId::ShowDay, disp[1], RenderDate(now.month, now.day), 1500))
        return;
    if (!input.message.empty()) {
        observer_.StatusChanged(TextId::PersonalMessage);
        ScrollMessage(input.message);
        if (observer_.StopRequested()) return;
    }
    if (!ShowPicture(input.pictureHex, disp[7])) return;
    struct Item {
        TextId text;
        int effect;
        DisplayFrame frame;
    };
    const Item items[] = {{TextId::ShowDiskSize, disp[3], RenderSize(totalKb)},
                          {TextId::ShowFreeSize, disp[4], RenderSize(freeKb)},
                          {TextId::ShowBattery, disp[5], RenderBattery(kSimulatedBatteryReading)}};
    for (const Item& item : items)
        if (item.effect != kSkipItem && !ShowItem(item.text, item.effect, item.frame, 2000)) return;
    if (disp[6] != kSkipItem) ShowStepCount(disp[6]);
}

}  // namespace kiro
