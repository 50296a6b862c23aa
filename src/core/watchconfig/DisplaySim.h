#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/Random.h"
#include "core/system/Clock.h"
#include "generated/TextId.h"

namespace kiro {

// The watch's dot-matrix display as the PC plays it: 13 visible lines of 7 dots (line i a byte,
// dot j, j = 0 leftmost, bit 6 - j) and 7 lines below them where scrolled text waits.
inline constexpr int kDisplayLines = 13;
inline constexpr int kFrameLines = 20;
using DisplayFrame = std::array<uint8_t, kFrameLines>;

// A Disp value that skips its item in the sequence.
inline constexpr int kSkipItem = 42;

// The visible lines as 26 upper-case hexadecimal digits, line 0 first.
std::string FrameHex(const DisplayFrame& frame);
// The reverse: exactly 26 hexadecimal digits (either case); the run-off lines are zero.
std::optional<DisplayFrame> ParseFrameHex(std::string_view hex);

// The target frames of the display items.
DisplayFrame RenderTime(int hour, int minute);
DisplayFrame RenderDate(int month, int day);
// A size in kilobytes, scaled to K, M, G or T with two digits and maybe a decimal point.
DisplayFrame RenderSize(uint64_t kilobytes);
DisplayFrame RenderBattery(int reading);
// The step count's number (the icon is StepIcon()).
DisplayFrame RenderSteps(int count);
DisplayFrame StepIcon();
// A still picture: its lines up to the first 0xFF, at most 13.
DisplayFrame RenderPicture(const std::array<uint8_t, 40>& picture);

// What the display shows of a frame at a tick count: the lines of the blink mask are dark in the
// first half of every second.
DisplayFrame VisibleFrame(const DisplayFrame& frame, uint16_t blinkMask, uint32_t tickCount);

// What the simulation tells its window, and asks of it.
class DisplayObserver {
  public:
    virtual ~DisplayObserver() = default;
    // A step of an effect or scroll has ended: the display shows `frame`, and `delayMs` (scaled by
    // the speed) passes before the next step.
    virtual void StepShown(const DisplayFrame& frame, int delayMs) {
        static_cast<void>(frame);
        static_cast<void>(delayMs);
    }
    // The status text of a stage (a text of the table: "Show Time", ...).
    virtual void StatusChanged(TextId text) { static_cast<void>(text); }
    // Lines that show dark during the first half of every second (bit i for line i).
    virtual void BlinkChanged(uint16_t mask) { static_cast<void>(mask); }
    // Runs while the simulation sleeps (in every delay and every 100 ms of a wait): the window's
    // events (its screen refresh, Stop) get their turn.
    virtual void Pump() {}
    virtual bool StopRequested() const { return false; }
};

// What the simulation plays: the message (at most 36 characters), the picture as hexadecimal
// pairs, the ten Disp values (42 skips an item) and the speed Sped 0..8.
struct DisplayInput {
    std::string message;
    std::string pictureHex;
    std::array<int, 10> disp{};
    int sped = 4;
};

// The display simulation engine. Delays and waits sleep through the clock (a test's clock costs
// no time); random bytes are the low 8 bits of the program's generator.
class DisplaySim {
  public:
    // Delay factors in percent by Sped 0..8.
    static constexpr int kSpeedFactors[9] = {500, 400, 300, 200, 100, 85, 65, 40, 20};

    DisplaySim(Random& random, Clock& clock, DisplayObserver& observer, int sped = 4);

    const DisplayFrame& Current() const { return current_; }
    uint16_t BlinkMask() const { return blink_; }
    // Puts a frame on the display at once, with no step in between.
    void ShowAtOnce(const DisplayFrame& frame);

    // One transition effect (value modulo 11) from the current frame to `target`.
    void PlayEffect(int value, const DisplayFrame& target);
    // The message scrolled up through the display.
    void ScrollMessage(const std::string& message);
    // A picture of more than 12 lines scrolled up through the display.
    void ScrollPicture(const std::array<uint8_t, 40>& picture);

    // The whole sequence: time, date, message, picture, disk size, free space, battery, steps.
    // `totalKb` and `freeKb` are the selected disk's sizes (8192000 each when they are unknown).
    void RunSequence(const DisplayInput& input, const LocalTime& now, uint64_t totalKb, uint64_t freeKb);

  private:
    // delay(t): the step is shown, then t x factor / 100 ms pass.
    void Delay(int milliseconds);
    // wait(ms): in 100 ms slices; false as soon as Stop was asked for.
    bool Wait(int milliseconds);
    void SetBlink(uint16_t mask);
    // A stage of the sequence: its status text, its effect onto `frame`, then `holdMs` of wait.
    bool ShowItem(TextId text, int effect, const DisplayFrame& frame, int holdMs);
    bool ShowPicture(const std::string& pictureHex, int effect);
    void ShowStepCount(int effect);

    Random& random_;
    Clock& clock_;
    DisplayObserver& observer_;
    int sped_;
    DisplayFrame current_{};
    uint16_t blink_ = 0;
};

}  // namespace kiro
