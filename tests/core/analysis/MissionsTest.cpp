#include "core/analysis/Missions.h"

#include <gtest/gtest.h>

#include "AnalysisWorld.h"

namespace kiro {
namespace {

MissionSettings Running(MissionKind kind, double target, int steps, int periodMinutes) {
    return {static_cast<int>(kind), 1, target, steps, periodMinutes, 0};
}

TEST(MissionsTest, PercentagePerKindTruncatedAndCapped) {
    const BodyMeasures body{60, 70};
    const double calories = AverageWalkCalories(body, 3000, 40);
    const std::pair<MissionSettings, int> cases[] = {
        {Running(MissionKind::Steps, 10000, 2500, 0), 25},
        {Running(MissionKind::Steps, 3, 2, 0), 66},
        {Running(MissionKind::Distance, 2, 3000, 0), 100},  // 105 %
        {Running(MissionKind::Distance, 4, 3000, 0), 52},
        {Running(MissionKind::Time, 2, 90, 0), 0},  // steps do not count, minutes do
        {Running(MissionKind::Time, 1.5, 0, 89), 98},
        {Running(MissionKind::Time, 1, 0, 61), 100},
        {Running(MissionKind::Calories, calories * 2, 3000, 40), 50},
        {Running(MissionKind::Calories, 1, 3000, 0), 0},
        {Running(MissionKind::Steps, -5, 2500, 0), 0},
        {Running(MissionKind::Steps, 0, 2500, 0), 0},
        {Running(MissionKind::Steps, 1e9, 2000000000, 0), 100},
    };
    for (const auto& [mission, percentage] : cases)
        EXPECT_EQ(MissionPercentage(mission, body), percentage)
            << "kind " << mission.mode << " target " << mission.goes << " steps " << mission.curSteps;

    EXPECT_TRUE(MissionAwardDue(Running(MissionKind::Distance, 2, 3000, 0), body));
    EXPECT_FALSE(MissionAwardDue(Running(MissionKind::Steps, 10000, 9999, 0), body));
    MissionSettings stopped = Running(MissionKind::Distance, 2, 3000, 0);
    stopped.status = 0;
    EXPECT_FALSE(MissionAwardDue(stopped, body));
}

TEST(MissionsTest, StartAndStopWriteTheirKeysInOrder) {
    test::AnalysisWorld world;
    world.folder.Write("KiroMeter2.INI", "");
    EXPECT_FALSE(StartMission(world.app, MissionId::A, MissionKind::Steps, "0.005"));
    EXPECT_FALSE(StartMission(world.app, MissionId::A, MissionKind::Steps, "lots"));
    EXPECT_EQ(world.folder.Read("KiroMeter2.INI"), "")
        << "nothing is written when the mission does not start";

    world.clock.SetTick(4000000000u);
    ASSERT_TRUE(StartMission(world.app, MissionId::A, MissionKind::Time, "-5"));
    EXPECT_EQ(world.app.Config().Values().missionA.startTime, 4000000000u);
    EXPECT_EQ(world.folder.Read("KiroMeter2.INI"),
              "[Mission]\r\nA_Mode=2\r\nA_Status=1\r\nA_Goes=-5.000000\r\nA_StartTime=-294967296\r\n");

    ASSERT_TRUE(StartMission(world.app, MissionId::B, MissionKind::Steps, "10000"));
    world.app.Config().SetMissionProgress(MissionId::B, 2500, 30);
    world.folder.Write("KiroMeter2.INI", "");
    StopMission(world.app.Config(), MissionId::B, MissionKind::Distance);
    const MissionSettings& b = world.app.Config().Values().missionB;
    EXPECT_EQ(b.goes, 0);
    EXPECT_EQ(b.curSteps, 0);
    EXPECT_EQ(world.folder.Read("KiroMeter2.INI"),
              "[Mission]\r\nB_CurSteps=0\r\nB_CurPeriodM=0\r\nB_Goes=0.000000\r\nB_Mode=1\r\nB_Status=0\r\n"
              "B_StartTime=-294967296\r\n");
}

TEST(MissionsTest, TextsOfTheMissionPage) {
    test::AnalysisWorld world;
    MissionSettings m = Running(MissionKind::Steps, 10000, 2500, 0);
    m.startTime = 4294967000u;  // the tick count wraps after the start
    EXPECT_EQ(MissionRunningText(kEnglish, m, m.startTime + (26u * 60 + 3) * 60000u),
              "Running 1 Days 2 Hours 3 Minutes");
    EXPECT_EQ(MissionProgressText(kEnglish, 25), "25 % Compeleted");
    EXPECT_EQ(MissionAwardText(kEnglish, MissionId::B), ", You complete the mission-B");
}

}  // namespace
}  // namespace kiro
