// Ten years of the store summed as the totals and the command line's summary visit it: 120 month
// files of real steps, read whole, every minute visited; against reading the same files and one
// plain pass over their bytes.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchSupport.h"
#include "RealDataFolder.h"
#include "core/analysis/StoredMinutes.h"

namespace {

using kiro::bench::RealDataFolder;

void TenYearsOfTheStore(benchmark::State& state) {
    const auto folder = RealDataFolder::TenYears();
    for (auto _ : state) {
        int64_t steps = 0;
        kiro::ForEachStoredMinute(folder->App().Store(), {2005, 1, 1}, {2014, 12, 31},
                                  [&steps](const kiro::StepMinute& minute) { steps += minute.steps; });
        benchmark::DoNotOptimize(steps);
    }
    kiro::bench::SetTargetRatio(state, 2.0);
}
BENCHMARK(TenYearsOfTheStore)->Name("ten-year summary")->Unit(benchmark::kMillisecond);

void ReadTheTenYears(benchmark::State& state) {
    const auto folder = RealDataFolder::TenYears();
    std::vector<std::string> files;
    for (int year = 2005; year < 2015; ++year)
        for (int month = 1; month <= 12; ++month) files.push_back(folder->MonthFile(year, month));
    for (auto _ : state) benchmark::DoNotOptimize(kiro::bench::ReadAndPass(files));
}
BENCHMARK(ReadTheTenYears)->Name("ten-year summary/limit")->Unit(benchmark::kMillisecond);

}  // namespace
