#pragma once
// What a start-up race measures of each run, and the JSON both races print for scripts/bench.
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>

namespace kiro::bench {

struct Run {
    double wallMs = 0;
    long long rssKb = -1;
};

// Runs `program` and `yardstick` alternately, `runs` times each, so that a machine that slows
// down or speeds up meets both alike. Null when a run failed.
std::optional<nlohmann::json> Race(int runs, const std::function<std::optional<Run>()>& program,
                                   const std::function<std::optional<Run>()>& yardstick);

}  // namespace kiro::bench
