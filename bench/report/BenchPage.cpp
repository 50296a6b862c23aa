#include "report/BenchPage.h"

#include <sys/utsname.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace kiro::bench {
namespace {

using nlohmann::json;

constexpr const char* kLimitSuffix = "/limit";
constexpr double kStartupTimeTarget = 1.25;
constexpr double kStartupMemoryTarget = 1.2;

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A figure as Google Benchmark gives it: wall time per iteration in its own unit.
std::string TimeText(const json& figure) {
    const double time = figure.at("real_time").get<double>();
    return Fixed(time, time < 10 ? 2 : time < 100 ? 1 : 0) + " " + figure.at("time_unit").get<std::string>();
}

double Seconds(const json& figure) {
    static const std::map<std::string, double> kUnits = {{"ns", 1e-9}, {"us", 1e-6}, {"ms", 1e-3}, {"s", 1}};
    return figure.at("real_time").get<double>() * kUnits.at(figure.at("time_unit").get<std::string>());
}

const char* Verdict(bool met) {
    return met ? "met" : "**missed**";
}

std::string LimitTable(const std::vector<json>& figures, int& missed) {
    std::map<std::string, json> byName;
    for (const json& figure : figures) byName[figure.at("name").get<std::string>()] = figure;
    std::ostringstream out;
    out << "| figure | time | limit | ratio | target | |\n|---|---|---|---|---|---|\n";
    for (const json& figure : figures) {
        if (!figure.contains("target_ratio")) continue;
        const std::string name = figure.at("name").get<std::string>();
        const double target = figure.at("target_ratio").get<double>();
        const auto limit = byName.find(name + kLimitSuffix);
        if (limit == byName.end()) {
            // A figure whose limit did not run cannot be said to meet its target.
            ++missed;
            out << "| " << name << " | " << TimeText(figure) << " | (not measured) | | ≤ " << Fixed(target, 1)
                << " × | **missed** |\n";
            continue;
        }
        const double ratio = Seconds(figure) / Seconds(limit->second);
        missed += ratio > target;
        out << "| " << name << " | " << TimeText(figure) << " | " << TimeText(limit->second) << " | "
            << Fixed(ratio, 2) << " × | ≤ " << Fixed(target, 1) << " × | " << Verdict(ratio <= target)
            << " |\n";
    }
    return out.str();
}

std::string OtherFigures(const std::vector<json>& figures) {
    std::ostringstream out;
    out << "| figure | time | frames per second |\n|---|---|---|\n";
    for (const json& figure : figures) {
        const std::string name = figure.at("name").get<std::string>();
        if (figure.contains("target_ratio") || name.ends_with(kLimitSuffix)) continue;
        out << "| " << name << " | " << TimeText(figure) << " | "
            << (figure.contains("frames") ? Fixed(figure.at("frames").get<double>(), 0) : std::string())
            << " |\n";
    }
    return out.str();
}

std::string StartupTable(const std::vector<StartupRace>& races, int& missed) {
    std::ostringstream out;
    out << "| race | KiroMeter_X5 | minimal program | ratio "
           "| resident memory | minimal program | ratio | |\n"
        << "|---|---|---|---|---|---|---|---|\n";
    for (const StartupRace& race : races) {
        const json& ours = race.result.at("program");
        const json& minimal = race.result.at("yardstick");
        const double ourTime = ours.at("median_wall_ms").get<double>();
        const double minimalTime = minimal.at("median_wall_ms").get<double>();
        const double ourMemory = ours.at("median_rss_kb").get<double>();
        const double minimalMemory = minimal.at("median_rss_kb").get<double>();
        const double timeRatio = ourTime / minimalTime;
        const double memoryRatio = ourMemory / minimalMemory;
        missed += (timeRatio > kStartupTimeTarget) + (memoryRatio > kStartupMemoryTarget);
        out << "| " << race.display << " | " << Fixed(ourTime, 0) << " ms | " << Fixed(minimalTime, 0)
            << " ms | " << Fixed(timeRatio, 2) << " × | " << Fixed(ourMemory / 1024, 1) << " MB | "
            << Fixed(minimalMemory / 1024, 1) << " MB | " << Fixed(memoryRatio, 2) << " × | "
            << Verdict(timeRatio <= kStartupTimeTarget && memoryRatio <= kStartupMemoryTarget) << " |\n";
    }
    return out.str();
}

std::string FirstValue(const std::string& path, const std::string& key) {
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(key, 0) != 0) continue;
        const size_t value = line.find_first_not_of(" \t", line.find(':') + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return "unknown";
}

}  // namespace

std::string DescribeMachine(const json& context) {
    utsname system{};
    ::uname(&system);
    std::ostringstream out;
    out << "- Processor: " << FirstValue("/proc/cpuinfo", "model name") << ", "
        << context.value("num_cpus", 0) << " cores\n"
        << "- Memory: " << FirstValue("/proc/meminfo", "MemTotal") << "\n"
        << "- System: " << system.sysname << " " << system.release << " (" << system.machine << ")\n"
        << "- Run on: " << context.value("date", "") << "\n";
    return out.str();
}

BenchPage MakeBenchPage(const std::vector<json>& runs, const std::vector<StartupRace>& races,
                        const std::string& machine) {
    std::vector<json> figures;
    for (const json& run : runs)
        for (const json& figure : run.at("benchmarks")) figures.push_back(figure);
    BenchPage page;
    std::ostringstream out;
    out << "# Benchmarks\n\n"
        << "Made by `scripts/bench` from a Release build; every limit was measured in the same run as its "
           "figure, on the same machine. Times are wall-clock times per operation.\n\n"
        << machine << "\n"
        << "## Against their limits\n\n"
        << "The limit of a collection is the plain file work on the same bytes: reading the day files "
           "(or the blocks' bytes), keeping a copy and removing each day file, and reading and rewriting "
           "each month file once, flushed and renamed. The limit of a report, the sleep analysis and the "
           "ten-year summary is reading the same month files and one plain pass over their bytes.\n\n"
        << LimitTable(figures, page.missedTargets) << "\n"
        << "## Other figures\n\n"
        << OtherFigures(figures) << "\n";
    if (!races.empty())
        out << "## Start-up\n\n"
            << "Two races, each program started in turn with the other; medians of the runs. *First "
               "paint*: from the start of the process to the end of the main window's first paint (the "
               "month report of a program folder holding two months of simulated steps), and the "
               "resident memory then, as `KiroMeter_X5 --measure-startup` reports them, against a "
               "minimal Qt 6 program of 7 tabs, a calendar and a 31 × 7 table. *First window*: from "
               "the start of the process to the moment the X server maps its first top-level window, "
               "watched from outside on the display, and the resident memory read from /proc then; "
               "the desktop program starts in an empty program folder, against a minimal Qt 6 program "
               "of 7 empty tabs alone. Targets: time ≤ 1.25 ×, memory ≤ 1.2 ×.\n\n"
            << StartupTable(races, page.missedTargets) << "\n";
    out << (page.missedTargets == 0 ? std::string("Every target is met.\n")
                                    : std::to_string(page.missedTargets) + " target(s) missed.\n");
    page.markdown = out.str();
    return page;
}

}  // namespace kiro::bench
