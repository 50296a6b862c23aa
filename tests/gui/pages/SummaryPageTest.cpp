// The summary page: the totals as texts, and Reset behind the system's question.
#include "gui/pages/CSummaryPage.h"

#include <gtest/gtest.h>

#include "../PageWorld.h"

namespace kiro::gui {
namespace {

TEST(SummaryPageTest, TotalsAndAResetThatAsksFirst) {
    test::PageWorld world;
    world.app.Config().SetTotals(5000, 1501);
    world.Store(2014, 5, 3, 600, {100});
    CSummaryPage page(world.Context());
    const QLabel* steps = test::Named<QLabel>(page, "stepsValue");
    QPushButton* reset = test::Named<QPushButton>(page, "resetButton");
    EXPECT_EQ(test::Named<QLabel>(page, "stepsLabel")->text(), "Total Steps:");
    EXPECT_EQ(steps->text(), "5000");
    EXPECT_EQ(test::Named<QLabel>(page, "timeValue")->text(), "1 Days 1 Hours 1 Mintues");
    EXPECT_EQ(reset->text(), "Reset/Zero");

    world.host.answers = {false};
    reset->click();
    EXPECT_EQ(world.host.Lines("question: "),
              std::vector<std::string>{"question: Confirm to clear all data (Y/N) ?"});
    EXPECT_EQ(steps->text(), "5000") << "No changes nothing";
    reset->click();
    EXPECT_EQ(steps->text(), "0");
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 5).found);
    EXPECT_EQ(world.host.Count("data-changed"), 1) << "the other pages read the store again";
}

}  // namespace
}  // namespace kiro::gui
