// The display simulation on what the watch's settings hold: the message bytes, the picture's
// hexadecimal pairs, the Disp effect values and the speed, and the frames and picture slots
// read from text. Every effect ends on its target frame and touches only the visible lines.
// Input (FuzzedDataProvider): start and target frames, an effect value and speed, the sequence's
// settings, sizes and time, when Stop is pressed, then a frame's and a slot's text.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/base/Random.h"
#include "core/watchconfig/DisplayEffects.h"
#include "core/watchconfig/DisplaySim.h"
#include "core/watchconfig/PersonalPicture.h"
#include "platform/sim/FakeClock.h"

using namespace kiro;

namespace {

class StoppingObserver final : public DisplayObserver {
  public:
    explicit StoppingObserver(int stopAfterPumps) : stopAfterPumps_(stopAfterPumps) {}
    void StepShown(const DisplayFrame&, int delayMs) override {
        fuzz::Require(delayMs >= 0, "a step never waits a negative time");
    }
    void Pump() override { ++pumps_; }
    bool StopRequested() const override { return stopAfterPumps_ >= 0 && pumps_ >= stopAfterPumps_; }

  private:
    int stopAfterPumps_;
    int pumps_ = 0;
};

DisplayFrame ReadFrame(FuzzedDataProvider& input) {
    DisplayFrame frame{};
    for (uint8_t& line : frame) line = input.ConsumeIntegral<uint8_t>();
    return frame;
}

void CheckEffect(int value, int sped, const DisplayFrame& start, const DisplayFrame& target) {
    Random random;
    sim::FakeClock clock;
    StoppingObserver observer(-1);
    DisplaySim display(random, clock, observer, sped);
    display.ShowAtOnce(start);
    display.PlayEffect(value, target);
    const DisplayFrame& end = display.Current();
    fuzz::Require(std::equal(end.begin(), end.begin() + kDisplayLines, target.begin()),
                  "every effect ends on its target frame");
    fuzz::Require(std::equal(end.begin() + kDisplayLines, end.end(), start.begin() + kDisplayLines),
                  "an effect changes only the visible lines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const DisplayFrame start = ReadFrame(input);
    const DisplayFrame target = ReadFrame(input);
    const int value = input.ConsumeIntegral<int>();
    const int sped = input.ConsumeIntegralInRange(-2, 10);
    for (int effect = 0; effect < 11; ++effect) CheckEffect(effect, sped, start, target);
    CheckEffect(value, sped, start, target);

    DisplayInput sequence;
    for (int& d : sequence.disp) d = input.ConsumeBool() ? kSkipItem : input.ConsumeIntegral<int>();
    sequence.sped = input.ConsumeIntegral<int>();
    LocalTime now;
    now.hour = input.ConsumeIntegralInRange(0, 23);
    now.minute = input.ConsumeIntegralInRange(0, 59);
    now.month = input.ConsumeIntegralInRange(1, 12);
    now.day = input.ConsumeIntegralInRange(1, 31);
    const auto totalKb = input.ConsumeIntegral<uint64_t>();
    const auto freeKb = input.ConsumeIntegral<uint64_t>();
    const int stopAfterPumps = input.ConsumeIntegralInRange(-1, 400);
    sequence.message = input.ConsumeRandomLengthString(64);
    sequence.pictureHex = input.ConsumeRandomLengthString(100);
    {
        Random random;
        sim::FakeClock clock;
        StoppingObserver observer(stopAfterPumps);
        DisplaySim display(random, clock, observer, sped);
        display.RunSequence(sequence, now, totalKb, freeKb);
        fuzz::Require(display.BlinkMask() == 0, "no item blinks once the time has been shown");
    }

    const std::string frameText = input.ConsumeRandomLengthString(30);
    if (const std::optional<DisplayFrame> frame = ParseFrameHex(frameText)) {
        fuzz::Require(ParseFrameHex(FrameHex(*frame)) == frame, "a frame's text reads back");
        fuzz::Require(
            std::all_of(frame->begin() + kDisplayLines, frame->end(), [](uint8_t l) { return l == 0; }),
            "a frame read from text has no run-off lines");
    }
    const PictureLines picture = PictureFromSlot(input.ConsumeRemainingBytesAsString());
    fuzz::Require(PictureFromSlot(PictureSlotValue(picture)) == picture, "a picture slot reads back");
    for (uint8_t line : picture) fuzz::Require(line < 0x80, "a picture line has seven dots");
    return 0;
}
