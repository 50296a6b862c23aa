#include <gtest/gtest.h>

#include <limits>

#include "core/analysis/SleepEstimate.h"
#include "core/base/Format.h"
#include "support/TempFolder.h"
#include "tools/sleep-eval/SleepEvaluation.h"

namespace kiro::sleepeval {
namespace {

// One hour row of the wide steps file: every minute the same count.
std::string HourRow(const std::string& person, const std::string& hour, int steps) {
    std::string row = person + "," + hour;
    for (int m = 0; m < 60; ++m) row += Format(",%d", steps);
    return row + "\n";
}

std::string HourText(int day, int hour) {
    const int twelve = hour % 12 == 0 ? 12 : hour % 12;
    return Format("4/%d/2016 %d:00:00 %s", day, twelve, hour < 12 ? "AM" : "PM");
}

// Person 1, night of 1 April: walking until 23:00, still until 07:00, walking until noon; labelled
// asleep 23:10 to 06:40 and again 07:30 to 07:35. Person 1, night of 3 April: labelled, but 02:00
// of the next day was not recorded. Person 2: an afternoon nap only. Person 3, night of 1 April:
// labelled, but walking the whole window.
struct Fixture {
    test::TempFolder folder;
    std::vector<LabelledNight> nights;

    Fixture() {
        std::string steps = "Id,ActivityHour";
        for (int m = 0; m < 60; ++m) steps += Format(",Steps%02d", m);
        steps += "\n";
        for (int day = 1; day <= 4; ++day)
            for (int hour = 0; hour < 24; ++hour) {
                const bool still = (day == 1 && hour >= 23) || (day == 2 && hour < 7);
                if (!(day == 4 && hour == 2)) steps += HourRow("1", HourText(day, hour), still ? 0 : 20);
                steps += HourRow("2", HourText(day, hour), 0);
                steps += HourRow("3", HourText(day, hour), 15);
            }
        folder.Write("steps.csv", steps);
        folder.Write(
            "sleep.csv",
            "Id,date,value,logId\n"
            "1,4/1/2016 11:10:00 PM,1,100\n1,4/2/2016 3:00:30 AM,2,100\n1,4/2/2016 6:40:30 AM,1,100\n"
            "1,4/2/2016 7:30:00 AM,1,101\n1,4/2/2016 7:35:00 AM,1,101\n"
            "1,4/3/2016 10:00:00 PM,1,102\n1,4/4/2016 6:00:00 AM,1,102\n"
            "2,4/1/2016 3:30:00 PM,1,200\n2,4/1/2016 4:30:00 PM,1,200\n"
            "3,4/2/2016 1:00:00 AM,1,300\n3,4/2/2016 5:00:00 AM,1,300\n"
            "1,not a time,1,103\n");
        nights = LoadLabelledNights(folder.File("steps.csv"), folder.File("sleep.csv"));
    }
};

TEST(SleepEvaluationTest, DataTimesRoundDownToTheMinute) {
    EXPECT_EQ(ParseDataTime("1/1/1970 12:00:00 AM"), 0);
    EXPECT_EQ(ParseDataTime("1/1/1970 12:59:30 PM"), 12 * 60 + 59);
    EXPECT_EQ(ParseDataTime("1/2/1970 1:05:59 AM"), 1440 + 65);
    EXPECT_EQ(ParseDataTime("2/30/2016 1:00:00 AM"), std::nullopt);
    EXPECT_EQ(ParseDataTime("4/1/2016 13:00:00 PM"), std::nullopt);
    EXPECT_EQ(ParseDataTime("Steps00"), std::nullopt);
}

TEST(SleepEvaluationTest, OnlyLabelledNightsWithEveryHourAreScored) {
    const Fixture fixture;
    ASSERT_EQ(fixture.nights.size(), 2u);
    const LabelledNight& night = fixture.nights[0];
    EXPECT_EQ(night.person, "1");
    EXPECT_EQ(night.date, (CalendarDay{2016, 4, 1}));
    EXPECT_EQ(night.referenceBed, 23 * 60 + 10);
    EXPECT_EQ(night.referenceWake, 24 * 60 + 7 * 60 + 35) << "the second session before 09:00 counts";
    EXPECT_EQ(fixture.nights[1].person, "3");
    EXPECT_EQ(fixture.nights[1].date, (CalendarDay{2016, 4, 1}))
        << "a session from 01:00 belongs to the evening";
}

TEST(SleepEvaluationTest, ScoresAgainstTheReference) {
    const Fixture fixture;
    // Still from 23:00 to 06:59: bed 10 minutes early, wake 36 minutes early.
    const Score person1 = ScoreMethod(Estimate(10), fixture.nights, {"1"});
    EXPECT_EQ(person1.nights, 1);
    EXPECT_EQ(person1.bedWithin30, 1);
    EXPECT_EQ(person1.wakeWithin30, 0);
    EXPECT_EQ(person1.wakeWithin60, 1);
    EXPECT_EQ(person1.medianBedError, 10);
    EXPECT_EQ(person1.medianWakeError, 36);
    const Score plain = ScoreMethod(PlainRule(), fixture.nights, {"1"});
    EXPECT_EQ(plain.medianBedError, 10);
    EXPECT_EQ(plain.medianWakeError, 36);

    // A night without an estimate is a miss of unknown size.
    const Score person3 = ScoreMethod(Estimate(10), fixture.nights, {"3"});
    EXPECT_EQ(person3.nights, 1);
    EXPECT_EQ(person3.bedWithin60, 0);
    EXPECT_EQ(person3.medianBedError, std::numeric_limits<double>::infinity());
    EXPECT_EQ(ScoreMethod(Estimate(10), fixture.nights).nights, 2);
    EXPECT_EQ(TableRow("x", person1), "| x | 1 | 100.0 % | 100.0 % | 10.0 | 0.0 % | 100.0 % | 36.0 |\n");
    EXPECT_EQ(TableRow("x", person3), "| x | 1 | 0.0 % | 0.0 % | - | 0.0 % | 0.0 % | - |\n");
}

TEST(SleepEvaluationTest, TheEstimateMeetsItsTargetOnTheRealNights) {
    const std::string data = std::string(KIRO_SOURCE_DIR) + "/data/realworld/";
    const std::vector<LabelledNight> nights =
        LoadLabelledNights(data + "minuteStepsWide.csv", data + "minuteSleep.csv");
    ASSERT_GE(nights.size(), 60u);
    const Score estimate = ScoreMethod(Estimate(kSleepStepPenalty), nights);
    EXPECT_GE(estimate.bedWithin30 * 100, 70 * estimate.nights);
    EXPECT_GE(estimate.wakeWithin30 * 100, 75 * estimate.nights);
    // The curve's own times stay as they are: far from the labels on most nights.
    const Score curve = ScoreMethod(CurveAnalysis(), nights);
    EXPECT_LT(curve.bedWithin30, estimate.bedWithin30);
}

}  // namespace
}  // namespace kiro::sleepeval
