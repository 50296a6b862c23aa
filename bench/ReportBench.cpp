// Building reports from a month of real steps: the month report (reading its file included) and
// the day report with per-minute window sums.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "core/analysis/ReportBuilder.h"
#include "core/app/App.h"
#include "platform/linux/PosixFileSystem.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/RealWorldSteps.h"

namespace {

// A program folder holding April 2016 of one real person, removed at the end.
class RealMonthFolder {
  public:
    RealMonthFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kiro-bench-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
        app_ = std::make_unique<kiro::App>(path_, clock_, locale_, files_);
        app_->LoadSettings();
        app_->Config().SetPersonal(20000201, 170, 60, 70);
        kiro::MonthBuffer april;
        const std::string csv = std::string(KIRO_SOURCE_DIR) + "/data/realworld/minuteStepsWide.csv";
        for (const kiro::sim::RealDay& day :
             kiro::sim::LoadRealWorldSteps(csv, kiro::sim::kRealWorldParticipants[0]))
            if (day.year == 2016 && day.month == 4)
                for (int m = 0; m < 1440; ++m)
                    kiro::AddToSlot(april, day.day, m / 60, m % 60, day.minutes[m]);
        app_->Store().SaveMonth(2016, 4, april);
    }
    ~RealMonthFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    kiro::App& App() { return *app_; }

  private:
    std::string path_;
    kiro::sim::FakeClock clock_;
    kiro::sim::FixedLocale locale_;
    kiro::linux_platform::PosixFileSystem files_;
    std::unique_ptr<kiro::App> app_;
};

void MonthReport(benchmark::State& state) {
    RealMonthFolder folder;
    kiro::ReportBuilder builder(folder.App().Store(), folder.App().Config());
    for (auto _ : state) {
        builder.Invalidate();  // a full build: the month file is read again
        benchmark::DoNotOptimize(builder.Build(kiro::ReportMode::Month, 2016, 4, 20).rows.size());
    }
}
BENCHMARK(MonthReport)->Unit(benchmark::kMicrosecond);

void DayReportWithMinuteWindows(benchmark::State& state) {
    RealMonthFolder folder;
    folder.App().Config().SetDisplayMode(1);
    kiro::ReportBuilder builder(folder.App().Store(), folder.App().Config());
    for (auto _ : state)
        benchmark::DoNotOptimize(builder.Build(kiro::ReportMode::Day, 2016, 4, 20).series.data());
}
BENCHMARK(DayReportWithMinuteWindows)->Unit(benchmark::kMicrosecond);

}  // namespace
