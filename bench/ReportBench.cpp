// The reports as the program builds them when a page opens, each with its month file read
// afresh, against reading the same file and one plain pass over its bytes.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "RealDataFolder.h"
#include "core/analysis/ReportBuilder.h"

namespace {

using kiro::ReportMode;
using kiro::bench::RealDataFolder;

// 20 April 2016: a Wednesday; its week runs from Sunday 17 April within the month.
void BuildReport(benchmark::State& state, ReportMode mode, int displayMode) {
    const auto folder = RealDataFolder::TwoMonths();
    folder->App().Config().SetDisplayMode(displayMode);
    kiro::ReportBuilder builder(folder->App().Store(), folder->App().Config());
    size_t rows = 0;
    for (auto _ : state) {
        builder.Invalidate();
        rows = builder.Build(mode, 2016, 4, 20).rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
    kiro::bench::SetTargetRatio(state, 2.0);
}

void ReadTheMonthFile(benchmark::State& state) {
    const auto folder = RealDataFolder::TwoMonths();
    const std::string april = folder->MonthFile(2016, 4);
    for (auto _ : state) benchmark::DoNotOptimize(kiro::bench::ReadAndPass({april}));
}

BENCHMARK_CAPTURE(BuildReport, month, ReportMode::Month, 0)
    ->Name("report/month")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadTheMonthFile)->Name("report/month/limit")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BuildReport, week, ReportMode::Week, 0)->Name("report/week")->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadTheMonthFile)->Name("report/week/limit")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BuildReport, day, ReportMode::Day, 0)->Name("report/day")->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadTheMonthFile)->Name("report/day/limit")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BuildReport, minutes, ReportMode::Day, 1)
    ->Name("report/day per minute")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadTheMonthFile)->Name("report/day per minute/limit")->Unit(benchmark::kMicrosecond);

}  // namespace
