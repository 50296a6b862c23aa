// The display's transition effects, their steps and their delays.
#include <gtest/gtest.h>

#include <numeric>

#include "RecordingDisplayObserver.h"
#include "core/watchconfig/DisplaySim.h"

namespace kiro {
namespace {

using test::DisplayWorld;
using test::Frame;

constexpr const char* kBlank = "00000000000000000000000000";

std::vector<std::string> PlayedFrames(int effect, const DisplayFrame& start, const DisplayFrame& target) {
    DisplayWorld world;
    world.display.ShowAtOnce(start);
    world.display.PlayEffect(effect, target);
    return world.observer.FrameHexes();
}

TEST(DisplayEffectsTest, EveryEffectEndsOnItsTarget) {
    // Starts and targets with dots everywhere, with the unseen bit 7 and with nothing at all.
    const DisplayFrame starts[] = {Frame(kBlank), Frame("FF807F01552A00C3E7183C7E81"), RenderTime(12, 34)};
    const DisplayFrame targets[] = {Frame("80017F7E55AA3CFFC3180FF081"), RenderSize(8192000), Frame(kBlank),
                                    Frame("FFFFFFFFFFFFFFFFFFFFFFFFFF")};
    for (int effect = 0; effect < 11; ++effect)
        for (const DisplayFrame& start : starts)
            for (const DisplayFrame& target : targets) {
                DisplayWorld world;
                world.display.ShowAtOnce(start);
                world.display.PlayEffect(effect, target);
                EXPECT_EQ(FrameHex(world.display.Current()), FrameHex(target))
                    << "effect " << effect << " from " << FrameHex(start);
                EXPECT_EQ(world.display.Current(), target) << "the run-off lines stay empty";
            }
}

TEST(DisplayEffectsTest, TheValueCountsModuloEleven) {
    const DisplayFrame start = Frame("FF807F01552A00C3E7183C7E81");
    const DisplayFrame target = RenderBattery(211);
    const std::pair<int, int> same[] = {{11, 0}, {21, 10}, {42, 9}, {-2, 9}};
    for (const auto& [value, effect] : same)
        EXPECT_EQ(PlayedFrames(value, start, target), PlayedFrames(effect, start, target)) << value;
}

TEST(DisplayEffectsTest, ScanOutSweepsEveryLineOfABlankDisplay) {
    DisplayWorld world;
    world.display.PlayEffect(4, Frame(kBlank));
    ASSERT_EQ(world.observer.steps.size(), 13u * 7);
    for (size_t step = 0; step < world.observer.steps.size(); ++step) {
        DisplayFrame dot{};
        dot[step / 7] = static_cast<uint8_t>(0x40 >> (step % 7));
        EXPECT_EQ(world.observer.steps[step].frame, dot) << "step " << step;
        EXPECT_EQ(world.observer.steps[step].delayMs, 20);
    }
}

TEST(DisplayEffectsTest, ScanOutLeavesTheTargetsDotsBehindTheRunningDot) {
    const auto frames =
        PlayedFrames(4, Frame("7F7F7F7F7F7F7F7F7F7F7F7F7F"), Frame("41000000000000000000000000"));
    EXPECT_EQ(frames[0], "407F7F7F7F7F7F7F7F7F7F7F7F") << "the line is cleared under the dot";
    EXPECT_EQ(frames[1], "607F7F7F7F7F7F7F7F7F7F7F7F");
    EXPECT_EQ(frames[2], "507F7F7F7F7F7F7F7F7F7F7F7F") << "dot 1 is not in the target";
    EXPECT_EQ(frames[6], "417F7F7F7F7F7F7F7F7F7F7F7F");
    EXPECT_EQ(frames[7], "41407F7F7F7F7F7F7F7F7F7F7F");
}

TEST(DisplayEffectsTest, ShiftLeftPushesTheOldDotsOutAndTheNewOnesIn) {
    // Three steps move the old line out, then the target's dot enters on the right and walks left.
    const auto frames =
        PlayedFrames(0, Frame("7F000000000000000000000000"), Frame("40000000000000000000000000"));
    std::vector<std::string> lineZero;
    for (const std::string& frame : frames) lineZero.push_back(frame.substr(0, 2));
    EXPECT_EQ(lineZero,
              (std::vector<std::string>{"FE", "FC", "F8", "F1", "E2", "C4", "88", "10", "20", "40"}));
    // From a blank display only the target's seven steps are played.
    EXPECT_EQ(PlayedFrames(0, Frame(kBlank), Frame("40000000000000000000000000")).size(), 7u);
}

TEST(DisplayEffectsTest, ShiftRightMirrorsShiftLeft) {
    const auto frames =
        PlayedFrames(6, Frame("7F000000000000000000000000"), Frame("01000000000000000000000000"));
    std::vector<std::string> lineZero;
    for (const std::string& frame : frames) lineZero.push_back(frame.substr(0, 2));
    EXPECT_EQ(lineZero,
              (std::vector<std::string>{"3F", "1F", "0F", "47", "23", "11", "08", "04", "02", "01"}));
}

TEST(DisplayEffectsTest, DoorCloseBringsBothHalvesInFromTheEdges) {
    const auto frames =
        PlayedFrames(5, Frame("55555555555555555555555555"), Frame("7F7F7F7F7F7F7F7F7F7F7F7F7F"));
    EXPECT_EQ(frames, (std::vector<std::string>{"C1C1C1C1C1C1C1C1C1C1C1C1C1", "E3E3E3E3E3E3E3E3E3E3E3E3E3",
                                                "F7F7F7F7F7F7F7F7F7F7F7F7F7", "7F7F7F7F7F7F7F7F7F7F7F7F7F"}))
        << "the old picture is gone at once";
}

TEST(DisplayEffectsTest, RainDropLetsEachLineFallFromTheTop) {
    const DisplayFrame target = Frame("0102030405060708090A0B0C0D");
    const auto frames = PlayedFrames(1, Frame(kBlank), target);
    ASSERT_EQ(frames.size(), 91u);
    EXPECT_EQ(frames[0], "0D000000000000000000000000");
    EXPECT_EQ(frames[12], "0D0D0D0D0D0D0D0D0D0D0D0D0D") << "the last line has fallen to the bottom";
    EXPECT_EQ(frames[13], "0C0D0D0D0D0D0D0D0D0D0D0D0D");
    EXPECT_EQ(frames[24], "0C0C0C0C0C0C0C0C0C0C0C0C0D");
}

TEST(DisplayEffectsTest, ScrollUpMovesTheOldPictureOutBeforeTheNewOneComesIn) {
    const DisplayFrame start = Frame("A1A2A3A4A5A6A7A8A9AAABACAD");
    const auto frames = PlayedFrames(2, start, Frame("0102030405060708090A0B0C0D"));
    ASSERT_EQ(frames.size(), 6u + 13);
    EXPECT_EQ(frames[0], "A2A3A4A5A6A7A8A9AAABACAD00");
    EXPECT_EQ(frames[5], "A7A8A9AAABACAD000000000000");
    EXPECT_EQ(frames[6], "A8A9AAABACAD00000000000001");
    EXPECT_EQ(PlayedFrames(3, start, Frame("0102030405060708090A0B0C0D"))[6], "0D000000000000A1A2A3A4A5A6")
        << "scroll down brings the last target line in first";
}

TEST(DisplayEffectsTest, UpAndDownMovesTheLeftHalfDownAndTheRightHalfUp) {
    const auto frames = PlayedFrames(8, Frame(kBlank), Frame("1102030405060708090A0B0CDD"));
    ASSERT_EQ(frames.size(), 13u);
    EXPECT_EQ(frames[0], "D0000000000000000000000001");
    EXPECT_EQ(frames[1], "00D00000000000000000000102") << "line 0's left half moved down, line 12's right up";
    // From a non-blank display one step first moves lines 0..5 only.
    const auto moved = PlayedFrames(8, Frame("1F2E3D4C5B6A79182736455463"), Frame(kBlank));
    ASSERT_EQ(moved.size(), 14u);
    EXPECT_EQ(moved[0], "0E1D2C3B4A5979182736455460");
}

TEST(DisplayEffectsTest, UpAndDown2BringsLinesOutOfTheMiddle) {
    const auto frames = PlayedFrames(9, Frame(kBlank), Frame("0102030405060708090A0B0C0D"));
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_EQ(frames[0], "07000000000000000000000007");
    EXPECT_EQ(frames[1], "06070000000000000000000708");
    EXPECT_EQ(PlayedFrames(9, Frame("0102030405060708090A0B0C0D"), Frame(kBlank)).size(), 14u)
        << "a picture on the display is first moved into the middle";
}

TEST(DisplayEffectsTest, LineOutSweepsTwoDottedLinesAcross) {
    const auto frames = PlayedFrames(10, Frame("7F7F7F7F7F7F7F7F7F7F7F7F7F"), Frame(kBlank));
    ASSERT_EQ(frames.size(), 14u);
    EXPECT_EQ(frames[0], "550000000000000000000000AA");
    EXPECT_EQ(frames[1], "0055000000000000000000AA00");
    EXPECT_EQ(frames[6], "000000000000FF000000000000");
    EXPECT_EQ(frames[13], kBlank);
}

TEST(DisplayEffectsTest, MistOutFillsWithRandomDotsAndThenKeepsOnlyTheTargets) {
    const DisplayFrame target = Frame("0102030405060708090A0B0C0D");
    DisplayWorld world;
    world.display.PlayEffect(7, target);
    const auto& steps = world.observer.steps;
    ASSERT_EQ(steps.size(), 20u * 13);
    for (size_t i = 1; i < steps.size(); ++i)
        for (int line = 0; line < kDisplayLines; ++line) {
            const uint8_t before = steps[i - 1].frame[line];
            const uint8_t after = steps[i].frame[line];
            if (i < 10 * 13) {
                EXPECT_EQ(before & ~after, 0) << "filling never takes a dot away, step " << i;
            } else {
                EXPECT_EQ(after & ~before, 0) << "clearing never adds a dot, step " << i;
                EXPECT_EQ(before & target[line] & ~after, 0) << "nor takes a target's dot, step " << i;
            }
        }
    // One random byte from the program's generator per line and round.
    Random fresh;
    for (int i = 0; i < 20 * 13; ++i) fresh.Next();
    EXPECT_EQ(world.random.Next(), fresh.Next());
}

TEST(DisplayEffectsTest, SpeedScalesEveryDelay) {
    struct Case {
        int sped;
        int doorCloseMs;  // a step of 200 ms at the normal speed
        int mistOutMs;    // a step of 10 ms
    };
    const Case cases[] = {
        {0, 1000, 50}, {1, 800, 40}, {2, 600, 30}, {3, 400, 20}, {4, 200, 10},  {5, 170, 8},
        {6, 130, 6},   {7, 80, 4},   {8, 40, 2},   {9, 40, 2},   {-1, 1000, 50}};  // out of range: the
                                                                                   // nearest speed
    for (const Case& c : cases) {
        DisplayWorld world(c.sped);
        world.display.PlayEffect(5, RenderBattery(211));
        world.display.PlayEffect(7, RenderBattery(211));
        std::vector<int> expected(4, c.doorCloseMs);
        expected.insert(expected.end(), 20 * 13, c.mistOutMs);
        EXPECT_EQ(world.observer.Delays(), expected) << "Sped " << c.sped;
        EXPECT_EQ(world.clock.TotalSlept(),
                  static_cast<uint64_t>(std::accumulate(expected.begin(), expected.end(), 0)));
    }
}

// Notes the clock's time whenever the step is shown and whenever the window gets its turn.
class TimingObserver final : public DisplayObserver {
  public:
    explicit TimingObserver(const sim::FakeClock& clock) : clock_(clock) {}
    std::vector<std::string> log;
    void StepShown(const DisplayFrame&, int delayMs) override {
        log.push_back("shown " + std::to_string(delayMs) + " at " + std::to_string(clock_.TotalSlept()));
    }
    void Pump() override { log.push_back("pump at " + std::to_string(clock_.TotalSlept())); }

  private:
    const sim::FakeClock& clock_;
};

TEST(DisplayEffectsTest, AStepIsShownThenItsDelayPassesThenTheWindowGetsItsTurn) {
    Random random;
    sim::FakeClock clock;
    TimingObserver observer(clock);
    DisplaySim display(random, clock, observer, 8);
    display.PlayEffect(5, RenderBattery(211));
    EXPECT_EQ(observer.log,
              (std::vector<std::string>{"shown 40 at 0", "pump at 40", "shown 40 at 40", "pump at 80",
                                        "shown 40 at 80", "pump at 120", "shown 40 at 120", "pump at 160"}));
}

}  // namespace
}  // namespace kiro
