// The sleep analysis of a real night: the curve and its classification on data in memory, and the
// whole session as the sleep view opens it (two month files read).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "core/analysis/SleepClassification.h"
#include "core/analysis/SleepCurve.h"
#include "core/analysis/SleepSession.h"
#include "core/app/App.h"
#include "platform/linux/PosixFileSystem.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/RealWorldSteps.h"

namespace {

const std::string kCsv = std::string(KIRO_SOURCE_DIR) + "/data/realworld/minuteStepsWide.csv";

kiro::MonthBuffer RealApril() {
    kiro::MonthBuffer april;
    for (const kiro::sim::RealDay& day :
         kiro::sim::LoadRealWorldSteps(kCsv, kiro::sim::kRealWorldParticipants[0]))
        if (day.year == 2016 && day.month == 4)
            for (int m = 0; m < 1440; ++m) kiro::AddToSlot(april, day.day, m / 60, m % 60, day.minutes[m]);
    return april;
}

void SleepCurveAndClassification(benchmark::State& state) {
    const kiro::MonthBuffer april = RealApril();
    kiro::Random random;
    const int windowStart = (20 - 1) * 1440 + 20 * 60;  // 20 April, 20:00 to 09:00
    for (auto _ : state) {
        const std::vector<int> curve = kiro::BuildSleepCurve(april.minutes, windowStart, 13 * 60, random);
        benchmark::DoNotOptimize(kiro::ClassifySleep(curve).efficiency);
    }
}
BENCHMARK(SleepCurveAndClassification)->Unit(benchmark::kMicrosecond);

void SleepSessionOpen(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kiro-bench-XXXXXX").string();
    const std::string folder = mkdtemp(pattern.data()) ? pattern : std::string();
    kiro::sim::FakeClock clock;
    kiro::sim::FixedLocale locale;
    {
        kiro::linux_platform::PosixFileSystem files;
        kiro::App app(folder, clock, locale, files);
        app.LoadSettings();
        app.Store().SaveMonth(2016, 4, RealApril());
        for (auto _ : state)
            benchmark::DoNotOptimize(kiro::SleepSession(app, 2016, 4, 20, false).Result().efficiency);
    }
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}
BENCHMARK(SleepSessionOpen)->Unit(benchmark::kMicrosecond);

}  // namespace
