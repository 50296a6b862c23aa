#include "core/analysis/SleepWindow.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

TEST(SleepWindowTest, HoursFromTheSettingsAreBroughtIntoRange) {
    const std::pair<SleepWindowHours, SleepWindowHours> cases[] = {
        {{20, 33}, {20, 33}}, {{20, 0}, {20, 21}},  {{-3, 5}, {0, 5}},
        {{50, 60}, {47, 48}}, {{20, 20}, {20, 21}}, {{20, 48}, {20, 48}},
    };
    for (auto [read, corrected] : cases) {
        const SleepWindowHours got = CorrectSleepWindow(read);
        EXPECT_EQ(got.startHour, corrected.startHour) << read.startHour << ".." << read.endHour;
        EXPECT_EQ(got.endHour, corrected.endHour) << read.startHour << ".." << read.endHour;
    }
}

TEST(SleepWindowTest, ArrowsMoveTheNightWithinTheirLimits) {
    struct Case {
        const char* name;
        bool (*arrow)(SleepPosition&);
        SleepPosition before, after;  // after equal to before: the arrow cannot move
    };
    const Case cases[] = {
        {"start earlier into the day before", StartEarlier, {2014, 5, 3, 0, 9}, {2014, 5, 2, 23, 33}},
        {"start earlier leaves no empty window", StartEarlier, {2014, 5, 3, 0, 23}, {2014, 5, 2, 23, 33}},
        {"start earlier stops on day 1", StartEarlier, {2014, 5, 1, 0, 9}, {2014, 5, 1, 0, 9}},
        {"start later keeps two hours", StartLater, {2014, 5, 3, 20, 22}, {2014, 5, 3, 20, 22}},
        {"start later into the next month", StartLater, {2014, 4, 30, 23, 33}, {2014, 5, 1, 0, 9}},
        {"start later past midnight keeps the hour", StartLater, {2014, 5, 3, 30, 40}, {2014, 5, 4, 7, 16}},
        {"end later at 48 moves the day", EndLater, {2014, 5, 3, 20, 48}, {2014, 5, 4, 20, 48}},
        {"end later at 48 stays clear of the month end",
         EndLater,
         {2014, 5, 30, 20, 48},
         {2014, 5, 30, 20, 48}},
        {"next day stops before the window leaves the month",
         NextDay,
         {2014, 5, 30, 20, 33},
         {2014, 5, 30, 20, 33}},
        {"next day with an evening window", NextDay, {2014, 5, 30, 18, 23}, {2014, 5, 31, 18, 23}},
        {"leap February", NextDay, {2016, 2, 28, 18, 23}, {2016, 2, 29, 18, 23}},
    };
    for (const Case& c : cases) {
        SleepPosition position = c.before;
        EXPECT_EQ(c.arrow(position), !(c.before == c.after)) << c.name;
        EXPECT_EQ(position, c.after) << c.name;
    }
}

}  // namespace
}  // namespace kiro
