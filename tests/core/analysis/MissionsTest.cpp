#include "core/analysis/Missions.h"

#include <gtest/gtest.h>

#include "AnalysisWorld.h"

namespace kiro {
namespace {

MissionSettings Running(MissionKind kind, double target, int steps, int periodMinutes) {
    MissionSettings m;
    m.mode = static_cast<int>(kind);
    m.status = 1;
    m.goes = target;
    m.curSteps = steps;
    m.curPeriodM = periodMinutes;
    return m;
}

TEST(MissionsTest, PercentagePerKindTruncatedAndCapped) {
    const BodyMeasures body{60, 70};
    struct Case {
        const char* name;
        MissionSettings mission;
        int percentage;
    };
    const double calories = AverageWalkCalories(body, 3000, 40);
    const Case cases[] = {
        {"steps", Running(MissionKind::Steps, 10000, 2500, 0), 25},
        {"steps truncated", Running(MissionKind::Steps, 3, 2, 0), 66},
        {"distance over the target", Running(MissionKind::Distance, 2, 3000, 0), 100},
        {"distance", Running(MissionKind::Distance, 4, 3000, 0), 52},
        {"time: minutes against hours", Running(MissionKind::Time, 2, 90, 0), 0},
        {"time", Running(MissionKind::Time, 2, 0, 90), 75},
        {"time truncated", Running(MissionKind::Time, 1.5, 0, 89), 98},
        {"time reached", Running(MissionKind::Time, 1, 0, 61), 100},
        {"calories", Running(MissionKind::Calories, calories * 2, 3000, 40), 50},
        {"calories without a period", Running(MissionKind::Calories, 1, 3000, 0), 0},
        {"negative target stays at 0", Running(MissionKind::Steps, -5, 2500, 0), 0},
        {"zero target from an edited file", Running(MissionKind::Steps, 0, 2500, 0), 0},
        {"unknown kind", Running(static_cast<MissionKind>(7), 10, 2500, 0), 0},
        {"huge counts do not overflow", Running(MissionKind::Steps, 1e9, 2000000000, 0), 100},
    };
    for (const Case& c : cases) EXPECT_EQ(MissionPercentage(c.mission, body), c.percentage) << c.name;

    MissionSettings stopped = Running(MissionKind::Steps, 100, 500, 0);
    stopped.status = 0;
    EXPECT_EQ(MissionPercentage(stopped, body), 0);
    EXPECT_FALSE(MissionAwardDue(stopped, body));
    EXPECT_TRUE(MissionAwardDue(Running(MissionKind::Distance, 2, 3000, 0), body)) << "105 % shows as 100 %";
    EXPECT_FALSE(MissionAwardDue(Running(MissionKind::Steps, 10000, 9999, 0), body));
}

class MissionControlTest : public ::testing::Test {
  protected:
    test::AnalysisWorld world;
    std::string Ini() const { return world.folder.Read("KiroMeter2.INI"); }
};

TEST_F(MissionControlTest, StartNeedsATargetOfAtLeastOneHundredth) {
    EXPECT_FALSE(StartMission(world.app, MissionId::A, MissionKind::Steps, "0.005"));
    EXPECT_FALSE(StartMission(world.app, MissionId::A, MissionKind::Steps, "lots"));
    EXPECT_EQ(world.app.Config().Values().missionA.status, 0);
    EXPECT_EQ(Ini(), "") << "nothing is written when the mission does not start";

    world.clock.SetTick(4000000000u);
    ASSERT_TRUE(StartMission(world.app, MissionId::A, MissionKind::Time, "-5"));
    const MissionSettings& a = world.app.Config().Values().missionA;
    EXPECT_EQ(a.status, 1);
    EXPECT_EQ(a.mode, 2);
    EXPECT_EQ(a.goes, -5);
    EXPECT_EQ(a.startTime, 4000000000u);
    EXPECT_EQ(Ini(), "[Mission]\r\nA_Mode=2\r\nA_Status=1\r\nA_Goes=-5.000000\r\nA_StartTime=-294967296\r\n");
}

TEST_F(MissionControlTest, StopClearsTargetStepsAndPeriodInKeyOrder) {
    ASSERT_TRUE(StartMission(world.app, MissionId::B, MissionKind::Steps, "10000"));
    world.app.Config().SetMissionProgress(MissionId::B, 2500, 30);
    world.folder.Write("KiroMeter2.INI", "");
    StopMission(world.app, MissionId::B, MissionKind::Distance);
    const MissionSettings& b = world.app.Config().Values().missionB;
    EXPECT_EQ(b.status, 0);
    EXPECT_EQ(b.goes, 0);
    EXPECT_EQ(b.curSteps, 0);
    EXPECT_EQ(b.curPeriodM, 0);
    EXPECT_EQ(Ini(),
              "[Mission]\r\nB_CurSteps=0\r\nB_CurPeriodM=0\r\nB_Goes=0.000000\r\nB_Mode=1\r\nB_Status=0\r\n"
              "B_StartTime=100000\r\n");
}

TEST_F(MissionControlTest, TextsOfTheMissionPage) {
    MissionSettings m = Running(MissionKind::Steps, 10000, 2500, 0);
    m.startTime = 4294967000u;  // the tick count wrapped since the start
    const uint32_t later = m.startTime + (26u * 60 + 3) * 60000u;
    EXPECT_EQ(MissionRunningText(world.app, m, later), "Running 1 Days 2 Hours 3 Minutes");
    EXPECT_EQ(MissionProgressText(world.app, 25), "25 % Compeleted");
    EXPECT_EQ(MissionAwardText(world.app, MissionId::A), ", You complete the mission-A");
    EXPECT_EQ(MissionAwardText(world.app, MissionId::B), ", You complete the mission-B");
    EXPECT_EQ(MissionAwardPicture(MissionId::B), 179);
}

}  // namespace
}  // namespace kiro
