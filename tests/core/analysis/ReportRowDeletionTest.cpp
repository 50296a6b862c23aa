#include "core/analysis/ReportRowDeletion.h"

#include <gtest/gtest.h>

#include "AnalysisWorld.h"

namespace kiro {
namespace {

TEST(ReportRowDeletionTest, ParsesOnlyWholeRowTexts) {
    struct Case {
        const char* name;
        ReportMode mode;
        const char* text;
        std::optional<RowMinutes> expected;
    };
    const Case cases[] = {
        {"month row is the whole day", ReportMode::Month, "2014/05/03", RowMinutes{2014, 5, 3, 0, 1439}},
        {"period row", ReportMode::Day, "2014/05/03 09:05 ~ 10:15", RowMinutes{2014, 5, 3, 545, 615}},
        {"one-minute period", ReportMode::Week, "2014/05/03 23:59 ~ 23:59",
         RowMinutes{2014, 5, 3, 1439, 1439}},
        {"a period text in the month report", ReportMode::Month, "2014/05/03 09:05 ~ 10:15", std::nullopt},
        {"a day text in the day report", ReportMode::Day, "2014/05/03", std::nullopt},
        {"end before start", ReportMode::Day, "2014/05/03 10:15 ~ 09:05", std::nullopt},
        {"day past the month", ReportMode::Month, "2014/04/31", std::nullopt},
        {"hour 24", ReportMode::Day, "2014/05/03 09:05 ~ 24:00", std::nullopt},
        {"minute 60", ReportMode::Day, "2014/05/03 09:60 ~ 10:00", std::nullopt},
        {"month 13", ReportMode::Month, "2014/13/01", std::nullopt},
        {"empty", ReportMode::Month, "", std::nullopt},
        {"trailing text", ReportMode::Month, "2014/05/03x", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseRowMinutes(c.mode, c.text), c.expected) << c.name;
}

class ReportRowDeletionStoreTest : public ::testing::Test {
  protected:
    test::AnalysisWorld world;

    void SetUp() override {
        MonthBuffer buffer;
        for (int day : {2, 3, 4})
            for (int m = 0; m < 1440; ++m) AddToSlot(buffer, day, m / 60, m % 60, 9);
        ASSERT_TRUE(world.app.Store().SaveMonth(2014, 5, buffer));
    }
    int StoredSteps(int day) const {
        const MonthBuffer buffer = world.app.Store().LoadMonth(2014, 5).buffer;
        int sum = 0;
        for (int m = 0; m < 1440; ++m) sum += buffer.At(day, m / 60, m % 60);
        return sum;
    }
};

TEST_F(ReportRowDeletionStoreTest, AsksThenClearsTheDayOrExactlyThePeriod) {
    world.host.answers = {true, true};
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Month, 1, "2014/05/03"),
              DeleteOutcome::Cleared);
    ASSERT_EQ(world.host.questions.size(), 1u);
    EXPECT_EQ(world.host.questions[0].second, "Item-2, Confirm DELETE ?(Y/N)");
    EXPECT_EQ(StoredSteps(3), 0);
    EXPECT_EQ(StoredSteps(2), 1440 * 9);
    EXPECT_EQ(StoredSteps(4), 1440 * 9);

    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Day, 0, "2014/05/04 10:00 ~ 10:09"),
              DeleteOutcome::Cleared);
    EXPECT_EQ(StoredSteps(4), 1430 * 9);
    const MonthBuffer after = world.app.Store().LoadMonth(2014, 5).buffer;
    EXPECT_EQ(after.At(4, 9, 59), 9);
    EXPECT_EQ(after.At(4, 10, 0), 0);
    EXPECT_EQ(after.At(4, 10, 9), 0);
    EXPECT_EQ(after.At(4, 10, 10), 9);
}

TEST_F(ReportRowDeletionStoreTest, NoSelectionNoOrBadTextChangeNothing) {
    const uint64_t revision = world.app.Store().Revision();
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Month, -1, "2014/05/03"),
              DeleteOutcome::NothingSelected);
    EXPECT_TRUE(world.host.questions.empty());
    world.host.answers = {false, true};
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Month, 0, "2014/05/03"),
              DeleteOutcome::Declined);
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Day, 0, "2014/05/03"),
              DeleteOutcome::NotARow);
    EXPECT_EQ(StoredSteps(3), 1440 * 9);
    EXPECT_EQ(world.app.Store().Revision(), revision);
}

TEST_F(ReportRowDeletionStoreTest, AutoConfirmDeletesWithoutAsking) {
    world.app.Config().SetAutoConfirm(true);
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Month, 0, "2014/05/02"),
              DeleteOutcome::Cleared);
    EXPECT_TRUE(world.host.questions.empty());
    EXPECT_EQ(StoredSteps(2), 0);
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Month, 0, "2014/06/02"),
              DeleteOutcome::Cleared)
        << "a month without a file: nothing to clear";
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 6).found);
}

}  // namespace
}  // namespace kiro
