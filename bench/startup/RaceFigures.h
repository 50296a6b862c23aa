#pragma once
// What a start-up race measures of each run, and the JSON both races print for scripts/bench.
#include <sys/types.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace kiro::bench {

struct Run {
    double wallMs = 0;
    long long rssKb = -1;
};

// Starts `command` (a program's path and its arguments) in `folder` (here when empty), its
// standard output on the descriptor `output` unless that is -1. The child's id, or -1.
pid_t StartProgram(const std::vector<std::string>& command, const std::string& folder, int output);

// Runs `program` and `yardstick` alternately, `runs` times each, so that a machine that slows
// down or speeds up meets both alike. Null when a run failed.
std::optional<nlohmann::json> Race(int runs, const std::function<std::optional<Run>()>& program,
                                   const std::function<std::optional<Run>()>& yardstick);

}  // namespace kiro::bench
