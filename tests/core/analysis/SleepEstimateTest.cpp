#include <gtest/gtest.h>

#include <vector>

#include "AnalysisWorld.h"
#include "core/analysis/SleepEstimate.h"
#include "core/analysis/SleepSession.h"

namespace kiro {
namespace {

// A window built from runs: {count, steps}, steps kNoStepData for minutes without data.
std::vector<int32_t> Runs(std::initializer_list<std::pair<int, int32_t>> runs) {
    std::vector<int32_t> window;
    for (const auto& [count, steps] : runs) window.insert(window.end(), static_cast<size_t>(count), steps);
    return window;
}

TEST(SleepIntervalTest, WindowsWithoutAnInterval) {
    EXPECT_EQ(FindSleepInterval({}), std::nullopt) << "an empty window";
    EXPECT_EQ(FindSleepInterval(Runs({{1080, 3}})), std::nullopt) << "no quiet minute";
    EXPECT_EQ(FindSleepInterval(Runs({{1080, kNoStepData}})), std::nullopt) << "no data at all";
    EXPECT_EQ(FindSleepInterval(Runs({{100, 5}, {59, 0}, {100, 5}})), std::nullopt) << "a rest, not a sleep";
}

TEST(SleepIntervalTest, AllQuietIsTheWholeWindow) {
    EXPECT_EQ(FindSleepInterval(Runs({{1080, 0}})), (SleepInterval{0, 1079}));
    EXPECT_EQ(EstimateSleep(Runs({{1080, 0}})), (SleepEstimate{18 * 60, 36 * 60 - 1}))
        << "minutes counted from 00:00 of the night's date";
}

TEST(SleepIntervalTest, AShortStirStaysInsideTheNightButAWalkSplitsIt) {
    // 18:00 awake until 23:00, asleep until 03:00, a stir of two minutes, asleep until 07:00.
    const auto stir = Runs({{300, 20}, {240, 0}, {2, 4}, {240, 0}, {298, 30}});
    EXPECT_EQ(FindSleepInterval(stir), (SleepInterval{300, 781}));

    // The same night with a 40-minute walk at 03:00: the longer of the two sleeps wins, not both.
    const auto walk = Runs({{300, 20}, {240, 0}, {40, 60}, {300, 0}, {200, 30}});
    EXPECT_EQ(FindSleepInterval(walk), (SleepInterval{580, 879}));
}

TEST(SleepIntervalTest, SittingStillInTheEveningIsOutweighedByTheWalkToBed) {
    // Two quiet hours on the sofa, a few minutes of steps to bed, then the night.
    const auto evening = Runs({{60, 30}, {130, 0}, {8, 15}, {420, 0}, {462, 25}});
    EXPECT_EQ(FindSleepInterval(evening), (SleepInterval{198, 617}));
    // With no penalty a step costs only its count, and the sofa joins the night.
    EXPECT_EQ(FindSleepInterval(evening, 0), (SleepInterval{60, 617}));
}

TEST(SleepIntervalTest, ATieGoesToTheEarlierStretch) {
    // Two sleeps of 200 minutes, each scoring 200, apart by a walk that no sleep bridges.
    const auto twoNights = Runs({{100, 30}, {200, 0}, {60, 50}, {200, 0}, {520, 30}});
    EXPECT_EQ(FindSleepInterval(twoNights), (SleepInterval{100, 299}));
    // A stir whose cost the next quiet minutes earn back exactly: the stretch that reaches the
    // best score first ends it, before the stir.
    const auto stir = Runs({{100, 30}, {200, 0}, {1, 4}, {4, 0}, {775, 30}});
    EXPECT_EQ(FindSleepInterval(stir, 0), (SleepInterval{100, 299}));
}

TEST(SleepIntervalTest, MissingDataIsNeverSleep) {
    // An hour without data in the middle of the night: the interval may not reach across it, and
    // an interval that ends at missing data has an unknown end.
    const auto gap = Runs({{300, 20}, {180, 0}, {60, kNoStepData}, {240, 0}, {300, 20}});
    EXPECT_EQ(FindSleepInterval(gap), std::nullopt);
    // Missing data away from the sleep does not matter.
    const auto early = Runs({{60, kNoStepData}, {240, 20}, {420, 0}, {360, 20}});
    EXPECT_EQ(FindSleepInterval(early), (SleepInterval{300, 719}));
}

TEST(SleepEstimateStoreTest, TheWindowCrossesAMonthAndAYearEnd) {
    test::AnalysisWorld world;
    // 31 December: steps until 22:30, quiet from then; 1 January: quiet until 06:45, steps after.
    world.Store(2015, 12, 31, 8 * 60, {40, 40, 40});
    for (int minute = 18 * 60; minute < 22 * 60 + 30; minute += 10) world.Store(2015, 12, 31, minute, {12});
    world.Store(2015, 12, 31, 22 * 60 + 29, {25});
    world.Store(2016, 1, 1, 6 * 60 + 45, {30, 30, 30, 30, 30});
    for (int minute = 7 * 60; minute < 12 * 60; minute += 5) world.Store(2016, 1, 1, minute, {20});
    EXPECT_EQ(EstimateSleep(world.app.Store(), {2015, 12, 31}),
              (SleepEstimate{22 * 60 + 30, 24 * 60 + 6 * 60 + 44}));
    const SleepSession session(world.app, 2015, 12, 31, false);
    EXPECT_EQ(session.Estimate(), EstimateSleep(world.app.Store(), {2015, 12, 31}))
        << "the sleep view builds the same window from the months it has read";
    EXPECT_EQ(session.EstimateText(), "Estimate: bed 22:30, getting up 06:44");

    const auto window = ReadEstimateWindow(world.app.Store(), {2015, 12, 31});
    EXPECT_EQ(window[0], 12) << "18:00 of the night's date";
    EXPECT_EQ(window[6 * 60 + 6 * 60 + 45], 30) << "06:45 of the next year";
}

TEST(SleepEstimateStoreTest, AMonthOrADayWithoutDataIsNoData) {
    test::AnalysisWorld world;
    // The evening is stored, the next month has no file yet: the morning is unknown.
    world.Store(2016, 4, 30, 18 * 60, {30, 30, 30});
    auto window = ReadEstimateWindow(world.app.Store(), {2016, 4, 30});
    EXPECT_EQ(window[10], 0);
    EXPECT_EQ(window[6 * 60], kNoStepData) << "00:00 of 1 May";
    EXPECT_EQ(EstimateSleep(world.app.Store(), {2016, 4, 30}), std::nullopt) << "no wake time to give";
    EXPECT_EQ(SleepSession(world.app, 2016, 4, 30, false).EstimateText(), "Estimate: -");

    // A next day with a file but without a single step: the watch was not worn.
    world.Store(2016, 5, 2, 600, {10});
    window = ReadEstimateWindow(world.app.Store(), {2016, 4, 30});
    EXPECT_EQ(window[6 * 60], kNoStepData) << "1 May holds no step";
    window = ReadEstimateWindow(world.app.Store(), {2016, 5, 1});
    EXPECT_EQ(window[0], kNoStepData);
    EXPECT_EQ(window[6 * 60], 0) << "2 May was worn";
}

}  // namespace
}  // namespace kiro
