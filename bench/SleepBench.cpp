// The sleep analysis of a real night as the sleep view opens it (the month and the next one
// read), against reading the same two files and one plain pass over them; and the curve and its
// classification alone, on data in memory. The second estimate of the same night, from the store
// and in memory: it must stay well under 100 us a night.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchSupport.h"
#include "RealDataFolder.h"
#include "core/analysis/SleepClassification.h"
#include "core/analysis/SleepCurve.h"
#include "core/analysis/SleepEstimate.h"
#include "core/analysis/SleepSession.h"

namespace {

using kiro::bench::RealDataFolder;

void SleepSessionOpen(benchmark::State& state) {
    const auto folder = RealDataFolder::TwoMonths();
    for (auto _ : state)
        benchmark::DoNotOptimize(kiro::SleepSession(folder->App(), 2016, 4, 20, false).Result().efficiency);
    kiro::bench::SetTargetRatio(state, 2.0);
}
BENCHMARK(SleepSessionOpen)->Name("sleep analysis/night of 20 April")->Unit(benchmark::kMicrosecond);

void ReadTheTwoMonthFiles(benchmark::State& state) {
    const auto folder = RealDataFolder::TwoMonths();
    const std::vector<std::string> files = {folder->MonthFile(2016, 4), folder->MonthFile(2016, 5)};
    for (auto _ : state) benchmark::DoNotOptimize(kiro::bench::ReadAndPass(files));
}
BENCHMARK(ReadTheTwoMonthFiles)
    ->Name("sleep analysis/night of 20 April/limit")
    ->Unit(benchmark::kMicrosecond);

void SleepCurveAndClassification(benchmark::State& state) {
    const auto folder = RealDataFolder::TwoMonths();
    const kiro::MonthBuffer april = folder->App().Store().LoadMonth(2016, 4).buffer;
    kiro::Random random;
    const int windowStart = (20 - 1) * 1440 + 20 * 60;  // 20 April, 20:00 to 09:00
    for (auto _ : state) {
        const std::vector<int> curve = kiro::BuildSleepCurve(april.minutes, windowStart, 13 * 60, random);
        benchmark::DoNotOptimize(kiro::ClassifySleep(curve).efficiency);
    }
}
BENCHMARK(SleepCurveAndClassification)
    ->Name("sleep analysis/curve and classification in memory")
    ->Unit(benchmark::kMicrosecond);

void SleepEstimateFromTheStore(benchmark::State& state) {
    const auto folder = RealDataFolder::TwoMonths();
    for (auto _ : state) benchmark::DoNotOptimize(kiro::EstimateSleep(folder->App().Store(), {2016, 4, 20}));
}
BENCHMARK(SleepEstimateFromTheStore)->Name("sleep estimate/night of 20 April")->Unit(benchmark::kMicrosecond);

void SleepEstimateInMemory(benchmark::State& state) {
    const auto folder = RealDataFolder::TwoMonths();
    const auto window = kiro::ReadEstimateWindow(folder->App().Store(), {2016, 4, 20});
    for (auto _ : state) benchmark::DoNotOptimize(kiro::FindSleepInterval(window));
}
BENCHMARK(SleepEstimateInMemory)
    ->Name("sleep estimate/interval search in memory")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
