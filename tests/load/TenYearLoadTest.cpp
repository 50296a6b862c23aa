// Years of per-minute steps collected at once: from day files in one pass, and from a model E
// watch over as many connections as its block limit asks. The month files are checked against
// the steps handed over, and the time and the process's peak memory are printed.
// KIRO_LOAD_YEARS sets the years (1 unless set; scripts/load runs ten).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/base/CalendarMath.h"
#include "core/watchdisk/CollectionWorld.h"
#include "platform/NativePlatform.h"
#include "platform/sim/StepGenerator.h"

namespace kiro {
namespace {

// A model E watch hands over at most 99 blocks of 12 hours a pass: 49 days stay below it.
constexpr int kDaysPerConnection = 49;

int Years() {
    const char* years = std::getenv("KIRO_LOAD_YEARS");
    const int value = years != nullptr ? std::atoi(years) : 1;
    return value >= 1 && value <= 20 ? value : 1;
}

long long PeakResidentKilobytes() {
    return NativeProcessInfo().CurrentUsage().peakResidentKilobytes;
}

// The days of the run, ending the day before the world's clock, which moves to a day late
// enough for all of them to carry dates that day files may have (2012 and later).
std::vector<sim::DaySteps> DaysOfYears(test::CollectionWorld& world, int years) {
    world.clock.SetNow(LocalTime{2012 + years, 1, 2, 12, 0, 0, 1});
    const int count = years * 365;
    const LocalTime first = AddDays(world.clock.Now(), -count);
    return sim::GenerateDays(first.year, first.month, first.day, count, 7);
}

// Every month the days touch, as the program's month files hold them.
std::map<std::pair<int, int>, MonthBuffer> StoredMonths(const test::CollectionWorld& world,
                                                        const std::vector<sim::DaySteps>& days) {
    std::map<std::pair<int, int>, MonthBuffer> months;
    for (const auto& day : days)
        if (!months.contains({day.year, day.month}))
            months[{day.year, day.month}] = world.Month(day.year, day.month);
    return months;
}

// Compares the stored minutes with the days in groups of `group` minutes (the watch's own
// resolution); returns the number of groups that differ.
int DifferingGroups(const std::map<std::pair<int, int>, MonthBuffer>& months,
                    const std::vector<sim::DaySteps>& days, int group) {
    int differing = 0;
    for (const auto& day : days) {
        const MonthBuffer& month = months.at({day.year, day.month});
        for (int start = 0; start < 1440; start += group) {
            int handedOver = 0, stored = 0;
            for (int minute = start; minute < start + group; ++minute) {
                handedOver += day.minutes[minute];
                stored += month.At(day.day, minute / 60, minute % 60);
            }
            differing += handedOver != stored;
        }
    }
    return differing;
}

void Report(const char* what, size_t days, size_t months, std::chrono::steady_clock::duration took,
            int connections) {
    const double seconds = std::chrono::duration<double>(took).count();
    std::printf("%s: %zu days, %zu month files, %d connection(s), %.2f s, peak resident memory %lld KB\n",
                what, days, months, connections, seconds, PeakResidentKilobytes());
    ::testing::Test::RecordProperty("seconds", std::to_string(seconds));
}

TEST(TenYearLoadTest, DayFilesOfTheYearsInOnePass) {
    test::CollectionWorld world;
    world.app.Config().SetAutoConfirm(true);
    const std::vector<sim::DaySteps> days = DaysOfYears(world, Years());
    sim::FileModeWatch watch(world.DiskFolder("watch"));
    for (const auto& day : days) ASSERT_TRUE(watch.AddDay(day, sim::DayFileFormat::Binary));

    const auto started = std::chrono::steady_clock::now();
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    const auto took = std::chrono::steady_clock::now() - started;

    const auto months = StoredMonths(world, days);
    EXPECT_EQ(DifferingGroups(months, days, 1), 0) << "every minute as on the watch";
    size_t left = 0;
    for (const auto& entry : std::filesystem::directory_iterator(watch.Folder()))
        left += entry.path().extension() == ".KRO";
    EXPECT_EQ(left, 0u) << "every day file taken";
    int64_t total = 0;
    for (const auto& day : days)
        for (const uint16_t steps : day.minutes) total += steps;
    EXPECT_EQ(world.app.Config().Values().totalSteps, total);
    Report("day files", days.size(), months.size(), took, 1);
}

TEST(TenYearLoadTest, AModelEWatchOverAsManyConnectionsAsItsBlockLimitAsks) {
    test::CollectionWorld world;
    world.app.Config().SetAutoConfirm(true);
    const std::vector<sim::DaySteps> days = DaysOfYears(world, Years());
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'E', true, 0});

    int connections = 0;
    const auto started = std::chrono::steady_clock::now();
    for (size_t first = 0; first < days.size(); first += kDaysPerConnection) {
        const size_t end = std::min(days.size(), first + kDaysPerConnection);
        for (size_t i = first; i < end; ++i) watch.Record(days[i]);
        const char letter = world.machine.PlugIn(watch, world.DiskFolder("volume"));
        world.DeliverEvents();
        ASSERT_EQ(watch.RecordedHours(), 0u) << "connection " << connections << ": everything handed over";
        world.machine.Unplug(letter);
        world.DeliverEvents();
        ++connections;
    }
    const auto took = std::chrono::steady_clock::now() - started;

    EXPECT_EQ(world.host.Count("message: X5E Data Capture Error"), 0);
    const auto months = StoredMonths(world, days);
    EXPECT_EQ(DifferingGroups(months, days, 5), 0) << "every five minutes as the watch's blocks carry them";
    Report("model E watch", days.size(), months.size(), took, connections);
}

}  // namespace
}  // namespace kiro
