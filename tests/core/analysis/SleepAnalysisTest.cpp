#include <gtest/gtest.h>

#include "AnalysisWorld.h"
#include "core/analysis/SleepClassification.h"
#include "core/analysis/SleepCurve.h"
#include "core/analysis/SleepSession.h"
#include "support/ErrorCodes.h"

namespace kiro {
namespace {

// A night without a step, in the default window of 20:00 to 09:00 the next morning:
// - 13 hours are 780 minutes, and the curve has a value for each end: 781 values.
// - The mean log of no steps is 0; what is left is the random walk, which stays within -2..2 and
//   is cut at 0: every value is 0, 1 or 2.
// - Sleep begins at the first ten-minute stretch without a value above 150. The first stretch
//   looked at is the one around minute 5 (minutes 0..9: five before, four after), and it is
//   quiet: bed time is 20:00 + 5 minutes.
// - Nothing is ever above 500, so the night ends at the last stretch, minute 780; the awake time
//   is the minute after it, 20:00 + 781 minutes = 09:01.
// - Minutes 5 up to 780 are all below 150, deep sleep: 775 minutes, 12:55.
// - Efficiency: 775 x 100 over the 776 minutes from 5 to 780, cut to a whole percent: 99 %.
TEST(SleepAnalysisTest, AllZeroNightWithTheDefaultWindow) {
    test::AnalysisWorld world;
    const SleepSession session(world.app, 2014, 5, 3, false);
    ASSERT_EQ(session.Curve().size(), 781u);
    for (int value : session.Curve()) ASSERT_TRUE(value >= 0 && value <= 2) << "jitter only";
    EXPECT_EQ(session.BedTimeText(), "20:05\nBad Time");
    EXPECT_EQ(session.WakeTimeText(), "09:01\nAwake Time");
    EXPECT_EQ(session.SleepTimeText(), "12:55\nSleep Time");
    EXPECT_EQ(session.EfficiencyText(), "99%\nEfficiency");
    EXPECT_EQ(session.Title(), "2014-5-3 Sleep Quaility ...");
    const SleepSession again(world.app, 2014, 5, 3, true);
    EXPECT_EQ(again.Title(), "2014-5-3 Sleep Quaility ...(DEBUG)");
    EXPECT_NE(again.Curve(), session.Curve()) << "the jitter draws on the process generator";
}

TEST(SleepAnalysisTest, CurveIsTheMeanLogOfTheLast30Minutes) {
    std::vector<uint16_t> minutes(1440, 2);  // L(2) = 301, from the very start of the month
    Random random;
    const std::vector<int> curve = BuildSleepCurve(minutes, 0, 120, random);
    EXPECT_NEAR(curve[0], 301 / 30, 2) << "minutes before the month count as nothing";
    EXPECT_NEAR(curve[14], 15 * 301 / 30, 2);
    EXPECT_NEAR(curve[29], 301, 2);
    std::vector<uint16_t> loud(1440, 60000);
    EXPECT_EQ(BuildSleepCurve(loud, 600, 60, random)[30], 1000);

    // Away from the window start: one minute of 10 steps (L = 1000) counts for exactly 30 values.
    std::vector<uint16_t> once(1440, 0);
    once[600 + 100] = 10;
    const std::vector<int> around = BuildSleepCurve(once, 600, 200, random);
    EXPECT_LE(around[99], 2) << "not before it";
    EXPECT_NEAR(around[100], 1000 / 30, 2);
    EXPECT_NEAR(around[129], 1000 / 30, 2);
    EXPECT_LE(around[130], 2) << "30 minutes later it has left the running sum";
}

TEST(SleepAnalysisTest, ExactlyTheSleepBoundIsSleepNotDeepSleep) {
    std::vector<int> curve(781, 0);
    std::fill(curve.begin() + 200, curve.begin() + 210, 150);
    const SleepResult result = ClassifySleep(curve);
    EXPECT_EQ(result.lightMinutes, 10);
    EXPECT_EQ(result.deepMinutes, result.SleepMinutes() - 10);
}

TEST(SleepAnalysisTest, GettingUpIsFixedAfter15AwakeStretches) {
    const auto awakeFrom100To = [](int end) {
        std::vector<int> curve(781, 0);
        std::fill(curve.begin() + 100, curve.begin() + end, 600);
        return ClassifySleep(curve);
    };
    const SleepResult longWake = awakeFrom100To(300);
    EXPECT_EQ(longWake.sleepStart, 5);
    EXPECT_EQ(longWake.sleepEnd, 95) << "the night ends before the long wake, whatever follows";
    EXPECT_EQ(longWake.efficiency, 90 * 100 / 91);
    const SleepResult shortWake = awakeFrom100To(105);
    EXPECT_EQ(shortWake.sleepEnd, 780) << "a short wake does not end the night";
    EXPECT_EQ(shortWake.deepMinutes, 770);

    const SleepResult restless = ClassifySleep(std::vector<int>(781, 300));
    EXPECT_EQ(restless.sleepStart, 0) << "never quiet: sleep counts from the window start";
    EXPECT_EQ(restless.lightMinutes, 780);
    EXPECT_EQ(restless.efficiency, 780 * 90 / 781);
}

TEST(SleepAnalysisTest, DateLabelsRollOverMonthAndYear) {
    test::AnalysisWorld world;
    const SleepChartSetup setup = SleepSession(world.app, 2014, 4, 30, false).ChartSetup();
    EXPECT_EQ(setup.leftDate, " 4/30");
    EXPECT_EQ(setup.rightDate, " 5/01");
    EXPECT_EQ(SleepSession(world.app, 2014, 12, 31, false).ChartSetup().rightDate, " 1/01");
    EXPECT_EQ(SleepSession(world.app, 2016, 2, 28, false).ChartSetup().rightDate, " 2/29");
    world.app.Config().WriteSleepWindow({1, 23});
    EXPECT_EQ(SleepSession(world.app, 2014, 4, 30, false).ChartSetup().rightDate, " 4/30")
        << "ends before midnight";
}

TEST(SleepAnalysisTest, NightPastTheMonthEndReadsTheNextMonth) {
    test::AnalysisWorld world;
    // Awake from 02:00 to 04:00 on 1 May; April's unused 31st day block holds other steps.
    MonthBuffer april, may;
    for (int m = 0; m < 120; ++m) {
        AddToSlot(may, 1, 2 + m / 60, m % 60, 100);
        AddToSlot(april, 31, 5 + m / 60, m % 60, 100);
    }
    ASSERT_TRUE(test::Ok(world.app.Store().SaveMonth(2014, 4, april)));
    ASSERT_TRUE(test::Ok(world.app.Store().SaveMonth(2014, 5, may)));
    SleepSession session(world.app, 2014, 4, 30, false);
    EXPECT_EQ(session.Curve()[6 * 60 + 40], 1000) << "02:40 on 1 May";
    EXPECT_LE(session.Curve()[9 * 60 + 40], 2) << "05:40: nothing on 1 May";
    EXPECT_EQ(session.WakeTimeText(), "02:03\nAwake Time");

    // From 23:00 on the last day, start later moves to 00:00 on 1 May and stores the hours.
    ASSERT_TRUE(session.EndEarlier());
    EXPECT_EQ(world.app.Config().ReadSleepWindow().endHour, 32);
    EXPECT_EQ(session.Curve().size(), 12u * 60 + 1) << "analysed again";
    world.app.Config().WriteSleepWindow({23, 33});
    SleepSession late(world.app, 2014, 4, 30, false);
    ASSERT_TRUE(late.StartLater());
    EXPECT_EQ(late.Position(), (SleepPosition{2014, 5, 1, 0, 9}));
    EXPECT_EQ(world.app.Config().ReadSleepWindow().endHour, 9);
    EXPECT_EQ(late.Curve()[2 * 60 + 40], 1000) << "the analysis runs on May's data";
    world.app.Config().WriteSleepWindow({19, 30});
    ASSERT_TRUE(late.NextDay());
    EXPECT_EQ(world.app.Config().ReadSleepWindow().startHour, 19) << "day arrows write nothing";
}

}  // namespace
}  // namespace kiro
