// Writes docs/benchmarks.md from the benchmark programs' JSON output and the start-up races.
//   BenchReport OUTPUT.md BENCH.json... [--startup DISPLAY RACE.json]...
// Ends with 3 when a target is missed, 1 when the input cannot be read or the page written.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "report/BenchPage.h"

namespace {

nlohmann::json ReadJson(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    return nlohmann::json::parse(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: BenchReport OUTPUT.md BENCH.json... [--startup DISPLAY RACE.json]...\n");
        return 2;
    }
    try {
        std::vector<nlohmann::json> runs;
        std::vector<kiro::bench::StartupRace> races;
        for (int i = 2; i < argc; ++i) {
            if (std::string(argv[i]) == "--startup" && i + 2 < argc) {
                races.push_back({argv[i + 1], ReadJson(argv[i + 2])});
                i += 2;
            } else {
                runs.push_back(ReadJson(argv[i]));
            }
        }
        const nlohmann::json context = runs.empty() ? nlohmann::json::object() : runs.front().at("context");
        const kiro::bench::BenchPage page =
            kiro::bench::MakeBenchPage(runs, races, kiro::bench::DescribeMachine(context));
        std::ofstream out(argv[1]);
        out << page.markdown;
        out.close();
        if (!out) {
            std::fprintf(stderr, "BenchReport: cannot write %s\n", argv[1]);
            return 1;
        }
        std::printf("%s", page.markdown.c_str());
        return page.missedTargets == 0 ? 0 : 3;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "BenchReport: %s\n", error.what());
        return 1;
    }
}
