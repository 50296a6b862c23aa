#include "core/analysis/ReportRowDeletion.h"

#include <gtest/gtest.h>

#include "AnalysisWorld.h"
#include "support/ErrorCodes.h"

namespace kiro {
namespace {

TEST(ReportRowDeletionTest, ParsesOnlyWholeRowTexts) {
    struct Case {
        ReportMode mode;
        const char* text;
        std::optional<RowMinutes> expected;
    };
    const Case cases[] = {
        {ReportMode::Month, "2014/05/03", RowMinutes{2014, 5, 3, 0, 1439}},
        {ReportMode::Day, "2014/05/03 09:05 ~ 10:15", RowMinutes{2014, 5, 3, 545, 615}},
        {ReportMode::Month, "2014/05/03 09:05 ~ 10:15", std::nullopt},
        {ReportMode::Day, "2014/05/03", std::nullopt},
        {ReportMode::Day, "2014/05/03 10:15 ~ 09:05", std::nullopt},
        {ReportMode::Month, "2014/04/31", std::nullopt},
        {ReportMode::Day, "2014/05/03 09:05 ~ 24:00", std::nullopt},
        {ReportMode::Month, "", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseRowMinutes(c.mode, c.text), c.expected) << c.text;
}

TEST(ReportRowDeletionTest, ClearsTheDayOrExactlyThePeriodAfterAsking) {
    test::AnalysisWorld world;
    MonthBuffer buffer;
    buffer.minutes.fill(9);
    ASSERT_TRUE(test::Ok(world.app.Store().SaveMonth(2014, 5, buffer)));
    const auto stored = [&world](int day, int minute) {
        return world.app.Store().LoadMonth(2014, 5).buffer.At(day, 0, minute);
    };

    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Month, -1, "2014/05/03"),
              DeleteOutcome::NothingSelected);
    world.host.answers = {false};
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Month, 1, "2014/05/03"),
              DeleteOutcome::Declined);
    EXPECT_EQ(world.host.Lines("question: "),
              std::vector<std::string>{"question: Item-2, Confirm DELETE ?(Y/N)"});
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Day, 0, "2014/05/03"),
              DeleteOutcome::NotARow);
    EXPECT_EQ(stored(3, 0), 9);

    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Month, 1, "2014/05/03"),
              DeleteOutcome::Cleared);
    EXPECT_EQ(stored(2, 1439), 9);
    EXPECT_EQ(stored(3, 0), 0);
    EXPECT_EQ(stored(3, 1439), 0);
    EXPECT_EQ(stored(4, 0), 9);

    world.app.Config().SetAutoConfirm(true);
    world.host.Clear();
    EXPECT_EQ(DeleteReportRow(world.app, world.host, ReportMode::Day, 0, "2014/05/04 10:00 ~ 10:09"),
              DeleteOutcome::Cleared);
    EXPECT_TRUE(world.host.Lines("question: ").empty()) << "AutoConfirm: no question";
    EXPECT_EQ(stored(4, 599), 9);
    EXPECT_EQ(stored(4, 600), 0);
    EXPECT_EQ(stored(4, 609), 0);
    EXPECT_EQ(stored(4, 610), 9);
}

}  // namespace
}  // namespace kiro
