// The benchmark page: figures set against their limits from the same run, the verdicts, and the
// start-up races.
#include "report/BenchPage.h"

#include <gtest/gtest.h>

namespace kiro::bench {
namespace {

using nlohmann::json;

json Figure(const std::string& name, double time, const std::string& unit) {
    return {{"name", name}, {"real_time", time}, {"time_unit", unit}, {"cpu_time", time / 2}};
}

json Measured(const std::string& name, double time, const std::string& unit, double target) {
    json figure = Figure(name, time, unit);
    figure["target_ratio"] = target;
    return figure;
}

json BenchRun(const std::vector<json>& figures) {
    return {{"context", {{"num_cpus", 2}}}, {"benchmarks", figures}};
}

bool Holds(const BenchPage& page, const std::string& text) {
    return page.markdown.find(text) != std::string::npos;
}

TEST(BenchPageTest, RatiosComeFromWallTimesInTheirOwnUnits) {
    // 3 ms against 1500 us is 2 x: met at a target of 3, missed at 1.5.
    const BenchPage page = MakeBenchPage(
        {BenchRun({Measured("collection/a", 3, "ms", 3.0), Figure("collection/a/limit", 1500, "us"),
                   Measured("report/b", 3, "ms", 1.5), Figure("report/b/limit", 1500, "us")})},
        {}, "- machine\n");
    EXPECT_TRUE(Holds(page, "| collection/a | 3.00 ms | 1500 us | 2.00 × | ≤ 3.0 × | met |"))
        << page.markdown;
    EXPECT_TRUE(Holds(page, "| report/b | 3.00 ms | 1500 us | 2.00 × | ≤ 1.5 × | **missed** |"));
    EXPECT_EQ(page.missedTargets, 1);
    EXPECT_TRUE(Holds(page, "1 target(s) missed."));
    EXPECT_TRUE(Holds(page, "- machine\n"));
}

TEST(BenchPageTest, AFigureWhoseLimitDidNotRunIsNotCountedAsMet) {
    const BenchPage page = MakeBenchPage({BenchRun({Measured("report/month", 90, "us", 2.0)})}, {}, "");
    EXPECT_EQ(page.missedTargets, 1);
    EXPECT_TRUE(Holds(page, "(not measured)"));
}

TEST(BenchPageTest, FiguresWithoutATargetAreListedApartWithTheirFrameRate) {
    json effect = Figure("display simulation/effect/3", 12.5, "us");
    effect["frames"] = 1.2e6;
    const BenchPage page = MakeBenchPage({BenchRun({effect})}, {}, "");
    EXPECT_TRUE(Holds(page, "| display simulation/effect/3 | 12.5 us | 1200000 |")) << page.markdown;
    EXPECT_EQ(page.missedTargets, 0);
    EXPECT_TRUE(Holds(page, "Every target is met."));
}

TEST(BenchPageTest, StartUpIsSetAgainstTheMinimalProgramInTimeAndMemory) {
    const auto race = [](double ourMs, double ourKb) {
        return json{{"program", {{"median_wall_ms", ourMs}, {"median_rss_kb", ourKb}}},
                    {"yardstick", {{"median_wall_ms", 100.0}, {"median_rss_kb", 40960.0}}}};
    };
    const BenchPage page = MakeBenchPage(
        {}, {{"offscreen", race(125, 49152)}, {"Xvfb", race(120, 81920)}, {"first window", race(126, 40960)}},
        "");
    EXPECT_TRUE(Holds(page, "| offscreen | 125 ms | 100 ms | 1.25 × | 48.0 MB | 40.0 MB | 1.20 × | met |"))
        << "both exactly at their targets: " << page.markdown;
    EXPECT_TRUE(Holds(page, "| Xvfb | 120 ms | 100 ms | 1.20 × | 80.0 MB | 40.0 MB | 2.00 × | **missed** |"));
    EXPECT_TRUE(
        Holds(page, "| first window | 126 ms | 100 ms | 1.26 × | 40.0 MB | 40.0 MB | 1.00 × | **missed** |"));
    EXPECT_EQ(page.missedTargets, 2) << "memory alone misses on Xvfb, time alone in the last race";
}

}  // namespace
}  // namespace kiro::bench
