#include "core/analysis/Summary.h"

#include <gtest/gtest.h>

#include "AnalysisWorld.h"
#include "core/analysis/ReportBuilder.h"

namespace kiro {
namespace {

TEST(SummaryTest, TextsOfTheTotals) {
    test::AnalysisWorld world;
    world.app.Config().SetTotals(5000, 0);
    SummaryTexts texts = MakeSummaryTexts(world.app.Config().Values(), world.app.CurrentLanguage());
    EXPECT_EQ(texts.distance, "    3.500 Km");
    EXPECT_EQ(texts.time, "0 Days 0 Hours 0 Mintues");
    EXPECT_EQ(texts.calories, "    0.000 KCal") << "no period, no energy";
    EXPECT_EQ(texts.stepsLabel, "Total Steps:");

    world.app.Config().SetTotals(5000, 1501);
    texts = MakeSummaryTexts(world.app.Config().Values(), world.app.CurrentLanguage());
    EXPECT_EQ(texts.time, "1 Days 1 Hours 1 Mintues");
    EXPECT_EQ(texts.calories, "  213.412 KCal");
    world.app.Config().SetTotals(2000000000, 600);
    EXPECT_EQ(MakeSummaryTexts(world.app.Config().Values(), world.app.CurrentLanguage()).distance,
              "1400000.000 Km")
        << "no overflow of steps x step size";
}

TEST(SummaryTest, ResetAsksThenClearsTotalsAndStore) {
    test::AnalysisWorld world;
    world.app.Config().SetTotals(5000, 100);
    world.Store(2014, 5, 3, 600, {100});
    ReportBuilder reports(world.app.Store(), world.app.Config());
    ASSERT_EQ(reports.Build(ReportMode::Month, 2014, 5, 3).rows.size(), 1u);

    world.host.answers = {false};
    EXPECT_FALSE(ResetSummary(world.app, world.host));
    EXPECT_EQ(world.host.Lines("question: "),
              std::vector<std::string>{"question: Confirm to clear all data (Y/N) ?"});
    EXPECT_EQ(world.app.Config().Values().totalSteps, 5000);
    EXPECT_TRUE(world.app.Store().LoadMonth(2014, 5).found);

    world.app.Config().SetAutoConfirm(true);
    EXPECT_TRUE(ResetSummary(world.app, world.host));
    EXPECT_EQ(world.host.Lines("question: ").size(), 1u) << "no second question";
    EXPECT_EQ(world.app.Config().Values().totalPeriod, 0);
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 5).found);
    EXPECT_TRUE(reports.Build(ReportMode::Month, 2014, 5, 3).rows.empty())
        << "the kept report is not shown again";
}

}  // namespace
}  // namespace kiro
