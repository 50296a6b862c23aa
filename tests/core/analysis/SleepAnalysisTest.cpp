#include <gtest/gtest.h>

#include <algorithm>

#include "AnalysisWorld.h"
#include "core/analysis/SleepClassification.h"
#include "core/analysis/SleepCurve.h"
#include "core/analysis/SleepSession.h"

namespace kiro {
namespace {

TEST(SleepAnalysisTest, AllZeroNightWithTheDefaultWindow) {
    test::AnalysisWorld world;
    SleepSession session(world.app, 2014, 5, 3, false);
    ASSERT_EQ(session.Curve().size(), 781u);
    for (int value : session.Curve()) ASSERT_TRUE(value >= 0 && value <= 2) << "jitter only";
    EXPECT_EQ(session.Result().sleepStart, 5);
    EXPECT_EQ(session.Result().sleepEnd, 780);
    EXPECT_EQ(session.BedTimeText(), "20:05\nBad Time");
    EXPECT_EQ(session.WakeTimeText(), "09:01\nAwake Time");
    EXPECT_EQ(session.SleepTimeText(), "12:55\nSleep Time");
    EXPECT_EQ(session.EfficiencyText(), "99%\nEfficiency");
    EXPECT_EQ(session.Title(), "2014-5-3 Sleep Quaility ...");
    EXPECT_EQ(SleepSession(world.app, 2014, 5, 3, true).Title(), "2014-5-3 Sleep Quaility ...(DEBUG)");
}

TEST(SleepAnalysisTest, JitterContinuesTheProcessGeneratorFromItsStart) {
    test::AnalysisWorld first, second;
    const std::vector<int> a = SleepSession(first.app, 2014, 5, 3, false).Curve();
    EXPECT_EQ(SleepSession(second.app, 2014, 5, 3, false).Curve(), a)
        << "a fresh process draws the same jitter";
    EXPECT_NE(SleepSession(first.app, 2014, 5, 3, false).Curve(), a) << "a second analysis draws on";
}

TEST(SleepAnalysisTest, CurveIsTheMeanLogOfTheLast30Minutes) {
    // Two steps every minute from the very start of the month: L(2) = 301.
    std::vector<uint16_t> minutes(2 * 1440, 2);
    Random random;
    const std::vector<int> curve = BuildSleepCurve(minutes, 0, 120, random);
    EXPECT_NEAR(curve[0], 301 / 30, 2) << "minutes before the month count as nothing";
    EXPECT_NEAR(curve[14], 15 * 301 / 30, 2);
    for (int i = 29; i <= 120; ++i) EXPECT_NEAR(curve[i], 301, 2) << i;

    std::vector<uint16_t> loud(2 * 1440, 60000);
    const std::vector<int> clamped = BuildSleepCurve(loud, 600, 60, random);
    EXPECT_TRUE(std::all_of(clamped.begin(), clamped.end(), [](int v) { return v == 1000; }));
}

std::vector<int> CurveWithAwakeStretch(int from, int to) {
    std::vector<int> curve(781, 0);
    std::fill(curve.begin() + from, curve.begin() + to, 600);
    return curve;
}

TEST(SleepAnalysisTest, GettingUpIsFixedAfter15AwakeStretches) {
    const SleepResult longAwake = ClassifySleep(CurveWithAwakeStretch(100, 300));
    EXPECT_EQ(longAwake.sleepStart, 5);
    EXPECT_EQ(longAwake.sleepEnd, 95) << "the night ends before the long wake, whatever follows";
    EXPECT_EQ(longAwake.deepMinutes, 90);
    EXPECT_EQ(longAwake.efficiency, 9000 / 91);

    const SleepResult shortAwake = ClassifySleep(CurveWithAwakeStretch(100, 105));
    EXPECT_EQ(shortAwake.sleepEnd, 780) << "a short wake does not end the night";
    EXPECT_EQ(shortAwake.deepMinutes, 775 - 5);
    EXPECT_EQ(shortAwake.efficiency, (770 * 100) / 776);

    std::vector<int> restless(781, 300);
    const SleepResult light = ClassifySleep(restless);
    EXPECT_EQ(light.sleepStart, 0) << "never quiet: sleep counts from the window start";
    EXPECT_EQ(light.sleepEnd, 780);
    EXPECT_EQ(light.lightMinutes, 780);
    EXPECT_EQ(light.efficiency, 780 * 90 / 781);
}

TEST(SleepAnalysisTest, ChartSetupAndDateLabels) {
    test::AnalysisWorld world;
    const SleepChartSetup setup = SleepSession(world.app, 2014, 4, 30, false).ChartSetup();
    EXPECT_EQ(setup.timeLower, 20);
    EXPECT_EQ(setup.timeUpper, 33);
    EXPECT_EQ(setup.valueLower, -500);
    EXPECT_EQ(setup.valueUpper, 1000);
    EXPECT_EQ(setup.leftDate, " 4/30");
    EXPECT_EQ(setup.rightDate, " 5/01");
    EXPECT_EQ(SleepSession(world.app, 2014, 12, 31, false).ChartSetup().rightDate, " 1/01");
    EXPECT_EQ(SleepSession(world.app, 2016, 2, 28, false).ChartSetup().rightDate, " 2/29");
    EXPECT_EQ(SleepSession(world.app, 2100, 2, 28, false).ChartSetup().rightDate, " 3/01");
    world.app.Config().WriteSleepWindow({1, 23});
    EXPECT_EQ(SleepSession(world.app, 2014, 4, 30, false).ChartSetup().rightDate, " 4/30")
        << "ends before midnight";

    const std::vector<SleepPoint> points = SleepSession(world.app, 2014, 4, 30, false).PlotPoints();
    ASSERT_EQ(points.size(), 22u * 60 + 1);
    EXPECT_EQ(points[90].hours, 1 + 90 / 60.0);
}

TEST(SleepAnalysisTest, NightPastTheMonthEndReadsTheNextMonth) {
    test::AnalysisWorld world;
    // Awake from 02:00 to 04:00 on 1 May; April's unused 31st day block holds other steps.
    MonthBuffer april, may;
    for (int m = 0; m < 120; ++m) {
        AddToSlot(may, 1, 2 + m / 60, m % 60, 100);
        AddToSlot(april, 31, 5 + m / 60, m % 60, 100);
    }
    ASSERT_TRUE(world.app.Store().SaveMonth(2014, 4, april));
    ASSERT_TRUE(world.app.Store().SaveMonth(2014, 5, may));
    SleepSession session(world.app, 2014, 4, 30, false);
    const std::vector<int>& curve = session.Curve();
    EXPECT_GE(curve[6 * 60 + 40], 1000 - 2) << "02:40 on 1 May";
    EXPECT_LE(curve[9 * 60 + 40], 2) << "05:40: nothing there on 1 May";
    EXPECT_EQ(session.WakeTimeText().substr(0, 5), "02:03") << "just before the steps at 02:00 on 1 May";

    // Start later from 23:00 on the last day moves to 00:00 on 1 May and stores the hours.
    world.app.Config().WriteSleepWindow({23, 33});
    SleepSession late(world.app, 2014, 4, 30, false);
    ASSERT_TRUE(late.StartLater());
    EXPECT_EQ(late.Position(), (SleepPosition{2014, 5, 1, 0, 9}));
    const SleepWindowHours stored = world.app.Config().ReadSleepWindow();
    EXPECT_EQ(stored.startHour, 0);
    EXPECT_EQ(stored.endHour, 9);
    EXPECT_GE(late.Curve()[2 * 60 + 40], 1000 - 2) << "the analysis runs on May's data";
    EXPECT_EQ(late.Title(), "2014-5-1 Sleep Quaility ...");
}

TEST(SleepAnalysisTest, HourArrowsStoreTheWindowDayArrowsDoNot) {
    test::AnalysisWorld world;
    SleepSession session(world.app, 2014, 5, 3, false);
    ASSERT_TRUE(session.EndEarlier());
    EXPECT_EQ(world.app.Config().ReadSleepWindow().endHour, 32);
    EXPECT_EQ(session.Curve().size(), 12u * 60 + 1) << "analysed again";
    ASSERT_TRUE(session.NextDay());
    EXPECT_EQ(session.Position().day, 4);
    world.app.Config().WriteSleepWindow({19, 30});
    ASSERT_TRUE(session.PreviousDay());
    EXPECT_EQ(world.app.Config().ReadSleepWindow().startHour, 19) << "a day arrow writes nothing";
}

}  // namespace
}  // namespace kiro
