#pragma once
// The page of benchmark figures: each figure beside its limit, the ratio and its target.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace kiro::bench {

// A start-up race as StartupRace prints it, and the display it ran on.
struct StartupRace {
    std::string display;
    nlohmann::json result;
};

struct BenchPage {
    std::string markdown;
    int missedTargets = 0;
};

// `runs` are Google Benchmark's JSON outputs. A figure with a "target_ratio" counter is set
// against the figure named like it followed by "/limit"; the others are listed as they are.
// `machine` describes where the figures were taken (Markdown list lines).
BenchPage MakeBenchPage(const std::vector<nlohmann::json>& runs, const std::vector<StartupRace>& races,
                        const std::string& machine);

// The machine this runs on, from the system's own files and the benchmark's context.
std::string DescribeMachine(const nlohmann::json& context);

}  // namespace kiro::bench
