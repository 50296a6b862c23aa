#include "core/analysis/SleepWindow.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

TEST(SleepWindowTest, HoursFromTheSettingsAreBroughtIntoRange) {
    struct Case {
        const char* name;
        SleepWindowHours read, corrected;
    };
    const Case cases[] = {
        {"defaults", {20, 33}, {20, 33}},     {"EndHour 0 becomes 1, then StartHour + 1", {20, 0}, {20, 21}},
        {"negative start", {-3, 5}, {0, 5}},  {"both too late", {50, 60}, {47, 48}},
        {"empty window", {20, 20}, {20, 21}}, {"end before start", {30, 25}, {30, 31}},
    };
    for (const Case& c : cases) {
        const SleepWindowHours got = CorrectSleepWindow(c.read);
        EXPECT_EQ(got.startHour, c.corrected.startHour) << c.name;
        EXPECT_EQ(got.endHour, c.corrected.endHour) << c.name;
    }
}

using Arrow = bool (*)(SleepPosition&);

struct ArrowCase {
    const char* name;
    Arrow arrow;
    SleepPosition before;
    SleepPosition after;  // equal to before when the arrow cannot move
};

TEST(SleepWindowTest, ArrowsMoveTheNightWithinTheirLimits) {
    const ArrowCase cases[] = {
        {"start earlier", StartEarlier, {2014, 5, 3, 20, 33}, {2014, 5, 3, 19, 33}},
        {"start earlier into the day before", StartEarlier, {2014, 5, 3, 0, 9}, {2014, 5, 2, 23, 33}},
        {"start earlier keeps a late end", StartEarlier, {2014, 5, 3, 0, 30}, {2014, 5, 2, 23, 30}},
        {"start earlier never leaves an empty window",
         StartEarlier,
         {2014, 5, 3, 0, 23},
         {2014, 5, 2, 23, 33}},
        {"start earlier stops on day 1", StartEarlier, {2014, 5, 1, 0, 9}, {2014, 5, 1, 0, 9}},
        {"start later", StartLater, {2014, 5, 3, 20, 33}, {2014, 5, 3, 21, 33}},
        {"start later keeps two hours", StartLater, {2014, 5, 3, 20, 22}, {2014, 5, 3, 20, 22}},
        {"start later from the next day's hours", StartLater, {2014, 5, 3, 30, 40}, {2014, 5, 4, 7, 16}},
        {"start later into the next day", StartLater, {2014, 5, 3, 23, 33}, {2014, 5, 4, 0, 9}},
        {"start later into the next month", StartLater, {2014, 4, 30, 23, 33}, {2014, 5, 1, 0, 9}},
        {"start later into the next year", StartLater, {2014, 12, 31, 23, 33}, {2015, 1, 1, 0, 9}},
        {"start later at 23 needs room", StartLater, {2014, 5, 3, 23, 25}, {2014, 5, 3, 23, 25}},
        {"end earlier", EndEarlier, {2014, 5, 3, 20, 33}, {2014, 5, 3, 20, 32}},
        {"end earlier keeps an hour", EndEarlier, {2014, 5, 3, 20, 21}, {2014, 5, 3, 20, 21}},
        {"end later", EndLater, {2014, 5, 3, 20, 33}, {2014, 5, 3, 20, 34}},
        {"end later at 48 moves the day", EndLater, {2014, 5, 3, 20, 48}, {2014, 5, 4, 20, 48}},
        {"end later at 48 stays clear of the month end",
         EndLater,
         {2014, 5, 30, 20, 48},
         {2014, 5, 30, 20, 48}},
        {"previous day", PreviousDay, {2014, 5, 3, 20, 33}, {2014, 5, 2, 20, 33}},
        {"previous day stops on day 1", PreviousDay, {2014, 5, 1, 20, 33}, {2014, 5, 1, 20, 33}},
        {"next day", NextDay, {2014, 5, 29, 20, 33}, {2014, 5, 30, 20, 33}},
        {"next day stops before the window leaves the month",
         NextDay,
         {2014, 5, 30, 20, 33},
         {2014, 5, 30, 20, 33}},
        {"next day with an evening window", NextDay, {2014, 5, 30, 18, 23}, {2014, 5, 31, 18, 23}},
        {"leap February", NextDay, {2016, 2, 28, 18, 23}, {2016, 2, 29, 18, 23}},
        {"plain February", NextDay, {2015, 2, 28, 18, 23}, {2015, 2, 28, 18, 23}},
    };
    for (const ArrowCase& c : cases) {
        SleepPosition position = c.before;
        EXPECT_EQ(c.arrow(position), !(c.before == c.after)) << c.name;
        EXPECT_EQ(position, c.after) << c.name;
    }
}

}  // namespace
}  // namespace kiro
