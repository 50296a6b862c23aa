#include "platform/sim/RealWorldSteps.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

namespace kiro::sim {
namespace {

const std::string kData = std::string(KIRO_SOURCE_DIR) + "/data/realworld/";

// The daily totals that the real data carries for each participant and date "M/D/YYYY".
std::map<std::string, int> DailyTotals(const std::string& participant) {
    std::ifstream in(kData + "dailyActivity.csv");
    std::map<std::string, int> totals;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string id, date, steps;
        std::getline(fields, id, ',');
        std::getline(fields, date, ',');
        std::getline(fields, steps, ',');
        if (id == participant) totals[date] = std::stoi(steps);
    }
    return totals;
}

// The tracker's daily summary is computed on its own and differs from the minute data by a
// fraction of a percent; a misread hour or minute column would be far off.
TEST(RealWorldStepsTest, FullyRecordedDaysAgreeWithTheDailyTotals) {
    const auto days = LoadRealWorldSteps(kData + "minuteStepsWide.csv", kRealWorldParticipants[0]);
    ASSERT_GT(days.size(), 25u);
    EXPECT_EQ(days.front().year, 2016);
    EXPECT_EQ(days.front().month, 4);
    EXPECT_EQ(days.front().day, 13);
    const auto totals = DailyTotals(kRealWorldParticipants[0]);
    int compared = 0;
    for (const RealDay& day : days) {
        if (day.recordedHours != 24) continue;
        const std::string key =
            std::to_string(day.month) + "/" + std::to_string(day.day) + "/" + std::to_string(day.year);
        const auto total = totals.find(key);
        if (total == totals.end()) continue;
        const int sum = std::accumulate(day.minutes.begin(), day.minutes.end(), 0);
        EXPECT_NEAR(sum, total->second, total->second / 50 + 10) << key;
        ++compared;
    }
    EXPECT_GT(compared, 20);
}

TEST(RealWorldStepsTest, MissingFileOrParticipantGivesNothing) {
    EXPECT_TRUE(LoadRealWorldSteps(kData + "absent.csv", kRealWorldParticipants[0]).empty());
    EXPECT_TRUE(LoadRealWorldSteps(kData + "minuteStepsWide.csv", "42").empty());
}

}  // namespace
}  // namespace kiro::sim
