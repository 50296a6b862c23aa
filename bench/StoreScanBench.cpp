// Summing ten years of the store: 120 month files of real steps, read whole, every minute visited.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/analysis/StoredMinutes.h"
#include "core/app/ProgramFolder.h"
#include "platform/linux/PosixFileSystem.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/RealWorldSteps.h"

namespace {

void TenYearsOfTheStore(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kiro-bench-XXXXXX").string();
    const std::string folder = mkdtemp(pattern.data()) ? pattern : std::string();
    {
        const kiro::ProgramPaths paths(folder);
        kiro::linux_platform::PosixFileSystem files;
        kiro::sim::FakeClock clock;
        kiro::ProgramFolderWriter writer(files, clock, paths);
        const kiro::MonthStore store(writer);
        const auto days = kiro::sim::LoadRealWorldSteps(
            std::string(KIRO_SOURCE_DIR) + "/data/realworld/minuteStepsWide.csv",
            kiro::sim::kRealWorldParticipants[1]);
        // Every day of every month gets one of the real days, in turn.
        size_t next = 0;
        for (int year = 2005; year < 2015; ++year) {
            for (int month = 1; month <= 12; ++month) {
                kiro::MonthBuffer buffer;
                for (int day = 1; day <= 31; ++day, ++next)
                    for (int m = 0; m < 1440; ++m)
                        kiro::AddToSlot(buffer, day, m / 60, m % 60, days[next % days.size()].minutes[m]);
                store.SaveMonth(year, month, buffer);
            }
        }
        for (auto _ : state) {
            int64_t steps = 0;
            kiro::ForEachStoredMinute(store, {2005, 1, 1}, {2014, 12, 31},
                                      [&steps](const kiro::StepMinute& minute) { steps += minute.steps; });
            benchmark::DoNotOptimize(steps);
        }
    }
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}
BENCHMARK(TenYearsOfTheStore)->Unit(benchmark::kMillisecond);

}  // namespace
