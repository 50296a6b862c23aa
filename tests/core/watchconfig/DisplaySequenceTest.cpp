// The whole display sequence: its stages, waits, skipped items and Stop.
#include <gtest/gtest.h>

#include <map>
#include <numeric>

#include "RecordingDisplayObserver.h"
#include "core/watchconfig/DisplayFont.h"
#include "core/watchconfig/DisplaySim.h"

namespace kiro {
namespace {

using test::DisplayWorld;

const LocalTime kNow{2014, 5, 6, 21, 7, 30, 2};
constexpr uint64_t kTotalKb = 8192000;
constexpr uint64_t kFreeKb = 5000;
constexpr int kSkip = kSkipItem;

// Only the items given an effect are shown.
DisplayInput OnlyItems(std::initializer_list<std::pair<int, int>> itemEffects) {
    DisplayInput input;
    input.disp.fill(kSkip);
    for (const auto& [item, effect] : itemEffects) input.disp[item] = effect;
    return input;
}

// The frame each stage ended its effect on (its last step), by status text.
std::map<TextId, std::string> LastFrames(const test::RecordingDisplayObserver& observer) {
    std::map<TextId, std::string> last;
    for (const auto& step : observer.steps)
        if (step.status) last[*step.status] = FrameHex(step.frame);
    return last;
}

uint64_t SumOfDelays(const test::RecordingDisplayObserver& observer) {
    const auto delays = observer.Delays();
    return std::accumulate(delays.begin(), delays.end(), uint64_t{0});
}

TEST(DisplaySequenceTest, EveryItemInTurnWithItsEffectAndWait) {
    DisplayWorld world;
    DisplayInput input;
    input.message = "Hi";
    input.pictureHex = "7F417F";
    // Effects whose last step shows their target.
    input.disp = {1, 2, 0, 3, 5, 6, 8, 9, 0, 0};
    world.display.RunSequence(input, kNow, kTotalKb, kFreeKb);

    EXPECT_EQ(world.observer.events,
              (std::vector<std::string>{"blink 64", "text 64", "blink 0", "text 65", "text 76", "text 71",
                                        "text 67", "text 68", "text 69", "text 70"}));
    const auto last = LastFrames(world.observer);
    EXPECT_EQ(last.at(TextId::ShowTime), FrameHex(RenderTime(21, 7)));
    EXPECT_EQ(last.at(TextId::ShowDay), FrameHex(RenderDate(5, 6)));
    EXPECT_EQ(last.at(TextId::PersonalMessage), "00000000000000000000000000");
    EXPECT_EQ(last.at(TextId::PersonalGraphic), "7F417F00000000000000000000");
    EXPECT_EQ(last.at(TextId::ShowDiskSize), FrameHex(RenderSize(kTotalKb)));
    EXPECT_EQ(last.at(TextId::ShowFreeSize), FrameHex(RenderSize(kFreeKb)));
    EXPECT_EQ(last.at(TextId::ShowBattery), FrameHex(RenderBattery(kSimulatedBatteryReading)));
    EXPECT_EQ(last.at(TextId::ShowKiro), FrameHex(RenderSteps(kSimulatedStepCount)));
    // The waits, unscaled: time, date, picture, three sizes, the step icon and the count.
    EXPECT_EQ(world.clock.TotalSlept(),
              SumOfDelays(world.observer) + 4000 + 1500 + 1000 + 3 * 2000 + 1000 + 2000);
    EXPECT_EQ(world.display.BlinkMask(), 0);
}

TEST(DisplaySequenceTest, SkippedItemsShowNothing) {
    DisplayWorld world;
    world.display.RunSequence(OnlyItems({}), kNow, kTotalKb, kFreeKb);
    EXPECT_TRUE(world.observer.events.empty());
    EXPECT_TRUE(world.observer.steps.empty());
    EXPECT_EQ(world.clock.TotalSlept(), 0u);

    DisplayWorld one;
    one.display.RunSequence(OnlyItems({{4, 2}}), kNow, kTotalKb, 50);
    EXPECT_EQ(one.observer.events, (std::vector<std::string>{"text 68"}));
    EXPECT_EQ(one.display.Current(), RenderSize(50));
}

TEST(DisplaySequenceTest, TheColonStopsBlinkingWithTheTimeEvenWithoutTheDate) {
    DisplayWorld world;
    world.display.RunSequence(OnlyItems({{0, 1}, {3, 1}}), kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(world.observer.events, (std::vector<std::string>{"blink 64", "text 64", "blink 0", "text 67"}));
}

TEST(DisplaySequenceTest, TheSpeedComesWithTheInput) {
    DisplayWorld world(4);
    DisplayInput input = OnlyItems({{0, 5}});
    input.sped = 0;
    world.display.RunSequence(input, kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(world.observer.Delays(), (std::vector<int>{1000, 1000, 1000, 1000}));
    EXPECT_EQ(world.clock.TotalSlept(), 4000u + 4000) << "the wait is not scaled";
}

TEST(DisplaySequenceTest, TwelvePictureLinesStandStillAndThirteenScroll) {
    DisplayWorld still;
    DisplayInput input = OnlyItems({{7, 1}});
    input.pictureHex = "0102030405060708090A0B0C";
    still.display.RunSequence(input, kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(still.observer.events, (std::vector<std::string>{"text 71"}));
    EXPECT_EQ(still.observer.steps.size(), 91u) << "the picture's effect";
    EXPECT_EQ(still.display.Current(), test::Frame("0102030405060708090A0B0C00"));

    DisplayWorld scrolled;
    input.pictureHex = "0102030405060708090A0B0C0D";
    scrolled.display.RunSequence(input, kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(scrolled.observer.steps.size(), 13u + 13);
    EXPECT_EQ(scrolled.clock.TotalSlept(), 26u * 100) << "no wait after a scroll";

    DisplayWorld ended;
    input.pictureHex = "0102FF0405";
    ended.display.RunSequence(input, kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(ended.display.Current(), test::Frame("01020000000000000000000000")) << "the picture ends at FF";
}

TEST(DisplaySequenceTest, StopEndsTheSequenceAtTheNextWait) {
    DisplayWorld world;
    world.observer.stopAtPump = 1;  // Stop is pressed as the first effect begins
    DisplayInput input;
    input.disp = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    world.display.RunSequence(input, kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(world.observer.events, (std::vector<std::string>{"blink 64", "text 64", "blink 0"}));
    EXPECT_EQ(world.observer.steps.size(), 91u) << "the effect in progress runs to its end";
    EXPECT_EQ(world.clock.TotalSlept(), SumOfDelays(world.observer)) << "the wait ends before sleeping";
}

TEST(DisplaySequenceTest, StopDuringTheMessageEndsTheSequenceAfterTheScroll) {
    DisplayWorld world;
    world.observer.stopAtPump = 1;
    DisplayInput input = OnlyItems({{3, 1}, {7, 1}});
    input.message = "Hi";
    input.pictureHex = "7F";
    world.display.RunSequence(input, kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(world.observer.events, (std::vector<std::string>{"text 76"}));
    EXPECT_EQ(world.observer.steps.size(), 23u);
}

TEST(DisplaySequenceTest, StopDuringASizeEndsTheChain) {
    DisplayWorld world;
    world.observer.stopAtPump = 91 + 5;  // half a second into the disk size's wait
    world.display.RunSequence(OnlyItems({{3, 1}, {4, 1}, {5, 1}, {6, 1}}), kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(world.observer.events, (std::vector<std::string>{"text 67"}));
    EXPECT_EQ(world.clock.TotalSlept(), SumOfDelays(world.observer) + 400);
}

TEST(DisplaySequenceTest, TheStepIconComesAtOnceBeforeTheCount) {
    DisplayWorld stopped;
    stopped.observer.stopAtPump = 1;
    stopped.display.RunSequence(OnlyItems({{6, 1}}), kNow, kTotalKb, kFreeKb);
    EXPECT_EQ(stopped.observer.events, (std::vector<std::string>{"text 70"}));
    EXPECT_TRUE(stopped.observer.steps.empty());
    EXPECT_EQ(stopped.display.Current(), StepIcon());

    DisplayWorld counted;
    counted.display.RunSequence(OnlyItems({{6, 1}}), kNow, kTotalKb, kFreeKb);
    ASSERT_EQ(counted.observer.steps.size(), 91u);
    const std::string countLine12 = FrameHex(RenderSteps(kSimulatedStepCount)).substr(24);
    EXPECT_EQ(FrameHex(counted.observer.steps[0].frame), countLine12 + FrameHex(StepIcon()).substr(2))
        << "the count's effect starts from the icon";
    EXPECT_EQ(counted.clock.TotalSlept(), SumOfDelays(counted.observer) + 1000 + 2000);
}

}  // namespace
}  // namespace kiro
