#include "startup/RaceFigures.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

namespace kiro::bench {
namespace {

template <typename Field>
double Median(const std::vector<Run>& runs, Field field) {
    std::vector<double> values;
    for (const Run& run : runs) values.push_back(static_cast<double>(run.*field));
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

nlohmann::json Describe(const std::vector<Run>& runs) {
    nlohmann::json list = nlohmann::json::array();
    for (const Run& run : runs) list.push_back({{"wall_ms", run.wallMs}, {"rss_kb", run.rssKb}});
    return {{"runs", list},
            {"median_wall_ms", Median(runs, &Run::wallMs)},
            {"median_rss_kb", Median(runs, &Run::rssKb)}};
}

}  // namespace

pid_t StartProgram(const std::vector<std::string>& command, const std::string& folder, int output) {
    std::vector<char*> argv;
    for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child != 0) return child;
    if (output >= 0) {
        ::dup2(output, STDOUT_FILENO);
        ::close(output);
    }
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(127);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

std::optional<nlohmann::json> Race(int runs, const std::function<std::optional<Run>()>& program,
                                   const std::function<std::optional<Run>()>& yardstick) {
    std::vector<Run> programRuns, yardstickRuns;
    for (int i = 0; i < runs; ++i) {
        const auto ours = program();
        const auto minimal = yardstick();
        if (!ours || !minimal) return std::nullopt;
        programRuns.push_back(*ours);
        yardstickRuns.push_back(*minimal);
    }
    return nlohmann::json{{"program", Describe(programRuns)}, {"yardstick", Describe(yardstickRuns)}};
}

}  // namespace kiro::bench
