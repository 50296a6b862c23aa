// Collection from a watch against the plain file work it cannot do without: a year of day files
// (binary and text) from a file-mode watch, and a model E watch's largest pass (99 block reads:
// 98 blocks of data and the empty block that ends them). The limit reads the same bytes and reads
// and rewrites each month file once, flushed and renamed as a careful program does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/store/MonthStore.h"
#include "core/watchdisk/CollectionWorld.h"
#include "platform/sim/StepGenerator.h"

namespace {

namespace fs = std::filesystem;
using kiro::sim::DayFileFormat;
using kiro::sim::DaySteps;

constexpr int kYear = 365;
// A model E watch hands over 12 hours a block; 49 days fill 98 blocks, and the 99th read ends.
constexpr int kModelEDays = 49;
constexpr size_t kBlockBytes = 512;
constexpr kiro::LocalTime kAfterTheDays{2015, 1, 2, 12, 0, 0, 5};

std::vector<DaySteps> DaysOf2014(int count) {
    return kiro::sim::GenerateDays(2014, 1, 1, count, 3);
}

int64_t StepsOf(const std::vector<DaySteps>& days) {
    int64_t steps = 0;
    for (const DaySteps& day : days)
        for (const uint16_t minute : day.minutes) steps += minute;
    return steps;
}

std::set<std::string> MonthFilesOf(const std::string& programFolder, const std::vector<DaySteps>& days) {
    const kiro::ProgramPaths paths(programFolder);
    std::set<std::string> files;
    for (const DaySteps& day : days) files.insert(paths.MonthFile(day.year, day.month));
    return files;
}

void CollectDayFiles(benchmark::State& state, DayFileFormat format) {
    const std::vector<DaySteps> days = DaysOf2014(kYear);
    for (auto _ : state) {
        state.PauseTiming();
        {
            kiro::test::CollectionWorld world;
            world.clock.SetNow(kAfterTheDays);
            world.app.Config().SetAutoConfirm(true);
            kiro::sim::FileModeWatch watch(world.DiskFolder("watch"));
            for (const DaySteps& day : days) watch.AddDay(day, format);
            world.machine.PlugIn(watch);
            state.ResumeTiming();
            world.DeliverEvents();
            state.PauseTiming();
            // A pass that stored nothing would be fast for nothing.
            if (world.app.Config().Values().totalSteps != StepsOf(days))
                state.SkipWithError("steps not stored");
        }
        state.ResumeTiming();
    }
    kiro::bench::SetTargetRatio(state, 3.0);
}

// Every day file read, kept as a backup copy flushed to the disk and removed; every month file
// rewritten once.
void CollectDayFilesLimit(benchmark::State& state, DayFileFormat format) {
    const std::vector<DaySteps> days = DaysOf2014(kYear);
    for (auto _ : state) {
        state.PauseTiming();
        {
            kiro::test::TempFolder root;
            kiro::sim::FileModeWatch watch(root.File("watch"));
            for (const DaySteps& day : days) watch.AddDay(day, format);
            fs::create_directories(root.File("program/Data"));
            fs::create_directories(root.File("program/KiroMeter2"));
            state.ResumeTiming();
            uint64_t sum = 0;
            for (const auto& entry : fs::directory_iterator(root.File("watch"))) {
                const std::string bytes = kiro::bench::ReadWholeFile(entry.path().string());
                sum += kiro::bench::SumOfWords(bytes);
                const std::string copy = root.File("program/KiroMeter2/" + entry.path().filename().string());
                fs::copy_file(entry.path(), copy);
                kiro::bench::FlushFile(copy);
                fs::remove(entry.path());
            }
            benchmark::DoNotOptimize(sum);
            kiro::bench::FlushFolder(root.File("program/KiroMeter2"));
            for (const std::string& month : MonthFilesOf(root.File("program"), days))
                kiro::bench::RewriteFlushed(month, kiro::kMonthFileBytes);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

void CollectModelEPass(benchmark::State& state) {
    const std::vector<DaySteps> days = DaysOf2014(kModelEDays);
    for (auto _ : state) {
        state.PauseTiming();
        {
            kiro::test::CollectionWorld world;
            world.clock.SetNow(kAfterTheDays);
            world.app.Config().SetAutoConfirm(true);
            kiro::sim::DeviceModeWatch watch(world.clock, kiro::sim::DeviceWatchOptions{'E', true, 0});
            for (const DaySteps& day : days) watch.Record(day);
            world.machine.PlugIn(watch, world.DiskFolder("volume"));
            state.ResumeTiming();
            world.DeliverEvents();
            state.PauseTiming();
            if (watch.RecordedHours() != 0 || world.app.Config().Values().totalSteps != StepsOf(days))
                state.SkipWithError("the watch kept data back, or its steps were not stored");
        }
        state.ResumeTiming();
    }
    kiro::bench::SetTargetRatio(state, 3.0);
}

// The 99 blocks' bytes read from a file; every month file rewritten once.
void CollectModelEPassLimit(benchmark::State& state) {
    const std::vector<DaySteps> days = DaysOf2014(kModelEDays);
    for (auto _ : state) {
        state.PauseTiming();
        {
            kiro::test::TempFolder root;
            root.Write("blocks", std::string(99 * kBlockBytes, '\x01'));
            fs::create_directories(root.File("program/Data"));
            state.ResumeTiming();
            benchmark::DoNotOptimize(kiro::bench::ReadAndPass({root.File("blocks")}));
            for (const std::string& month : MonthFilesOf(root.File("program"), days))
                kiro::bench::RewriteFlushed(month, kiro::kMonthFileBytes);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(CollectDayFiles, binary, DayFileFormat::Binary)
    ->Name("collection/365 binary day files")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CollectDayFilesLimit, binary, DayFileFormat::Binary)
    ->Name("collection/365 binary day files/limit")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CollectDayFiles, text, DayFileFormat::Text)
    ->Name("collection/365 text day files")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CollectDayFilesLimit, text, DayFileFormat::Text)
    ->Name("collection/365 text day files/limit")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CollectModelEPass)->Name("collection/model E, 99 block reads")->Unit(benchmark::kMillisecond);
BENCHMARK(CollectModelEPassLimit)
    ->Name("collection/model E, 99 block reads/limit")
    ->Unit(benchmark::kMillisecond);

}  // namespace
