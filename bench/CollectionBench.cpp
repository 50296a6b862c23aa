// A year of day files collected from a file-mode watch disk, against the plain file work the
// same pass cannot do without: read every day file, write its backup copy and delete it, and
// read and write each month file once (through a temporary, flushed and renamed).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/app/App.h"
#include "core/watchdisk/Collector.h"
#include "core/watchdisk/WatchDiscovery.h"
#include "platform/linux/PosixFileSystem.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/SimulatedMachine.h"
#include "platform/sim/StepGenerator.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDays = 365;

class QuietHost final : public kiro::Host {
  public:
    void SetStatusText(const std::string&) override {}
    void SetDiskLabel(const std::string&) override {}
    void SetDiskLabelLargeFont() override {}
    void ShowMessage(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    bool AskQuestion(const std::string&, const std::string&) override { return true; }
    void ShowAward(const std::string&, kiro::AwardPicture) override {}
    void PumpMessages() override {}
    void NotifyDataChanged() override {}
    void NotifyLanguageChanged() override {}
};

std::string MakeTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "kiro-bench-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

// A watch disk holding a year of day files in one format, written afresh for each run.
class YearOnDisk {
  public:
    explicit YearOnDisk(kiro::sim::DayFileFormat format)
        : format_(format), days_(kiro::sim::GenerateDays(2014, 1, 1, kDays, 3)) {}
    void Fill(const std::string& folder) const {
        kiro::sim::FileModeWatch watch(folder);
        for (const auto& day : days_) watch.AddDay(day, format_);
    }

  private:
    kiro::sim::DayFileFormat format_;
    std::vector<kiro::sim::DaySteps> days_;
};

void CollectAYear(benchmark::State& state, kiro::sim::DayFileFormat format) {
    const YearOnDisk year(format);
    for (auto _ : state) {
        state.PauseTiming();
        const std::string root = MakeTempFolder();
        year.Fill(root + "/watch");
        {
            kiro::sim::FakeClock clock;
            kiro::sim::FixedLocale locale;
            kiro::linux_platform::PosixFileSystem files;
            kiro::App app(root + "/program", clock, locale, files);
            fs::create_directories(root + "/program");
            app.LoadSettings();
            app.Config().SetAutoConfirm(true);
            kiro::sim::SimulatedMachine machine;
            QuietHost host;
            kiro::Collector collector(app, machine.volumes, machine.devices, host, machine.attributes);
            kiro::WatchDiscovery discovery(app, machine.volumes, machine.devices, host, collector);
            const char letter = machine.volumes.Mount(root + "/watch");
            state.ResumeTiming();
            if (discovery.IsWatchDisk(letter)) {
                app.watch.currentDrive = letter;
                collector.CollectFromWatch();
            }
            state.PauseTiming();
        }
        fs::remove_all(root);
        state.ResumeTiming();
    }
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void WriteFlushed(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    benchmark::DoNotOptimize(::write(fd, content.data(), content.size()));
    ::fsync(fd);
    ::close(fd);
}

// The limit: the same bytes moved by plain file operations.
void PlainFileWork(benchmark::State& state, kiro::sim::DayFileFormat format) {
    const YearOnDisk year(format);
    for (auto _ : state) {
        state.PauseTiming();
        const std::string root = MakeTempFolder();
        year.Fill(root + "/watch");
        fs::create_directories(root + "/program/Data");
        fs::create_directories(root + "/program/KiroMeter2");
        state.ResumeTiming();
        std::map<std::string, int> months;
        for (const auto& entry : fs::directory_iterator(root + "/watch")) {
            const std::string name = entry.path().filename().string();
            const std::string content = ReadAll(entry.path().string());
            std::ofstream(root + "/program/KiroMeter2/" + name + "-001", std::ios::binary) << content;
            fs::remove(entry.path());
            ++months[name.substr(0, 6)];
        }
        for (const auto& [month, count] : months) {
            const std::string path = root + "/program/Data/Kiro" + month + ".BIN";
            std::string bytes = ReadAll(path);
            bytes.resize(89280);
            WriteFlushed(path + ".tmp", bytes);
            fs::rename(path + ".tmp", path);
        }
        state.PauseTiming();
        fs::remove_all(root);
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(CollectAYear, BinaryDayFiles, kiro::sim::DayFileFormat::Binary)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainFileWork, BinaryDayFiles, kiro::sim::DayFileFormat::Binary)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CollectAYear, TextDayFiles, kiro::sim::DayFileFormat::Text)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainFileWork, TextDayFiles, kiro::sim::DayFileFormat::Text)->Unit(benchmark::kMillisecond);

}  // namespace
