// Starts the desktop program and the minimal Qt program in turn, RUNS times each, and times each
// from the moment it is started to the line it prints at the end of its first paint (read on a
// pipe, so the clock is this program's, at microsecond resolution); the resident memory is what
// the program printed. Prints the runs and the medians as JSON for scripts/bench.
//   StartupRace RUNS PROGRAM_FOLDER PROGRAM YARDSTICK
// PROGRAM runs with --measure-startup in PROGRAM_FOLDER; the display is the environment's.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "startup/RaceFigures.h"

namespace {

using kiro::bench::Run;

constexpr int kTimeoutMs = 60000;
// Reads the child's output until its first line ends, the child closes it or time runs out.
std::optional<std::string> FirstLine(int fd) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd waiting{fd, POLLIN, 0};
        if (::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) continue;
        char chunk[256];
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0) return std::nullopt;
        text.append(chunk, static_cast<size_t>(got));
        if (const size_t end = text.find('\n'); end != std::string::npos) return text.substr(0, end);
    }
}

std::optional<Run> StartOnce(const std::vector<std::string>& command, const std::string& folder) {
    int output[2];
    if (::pipe(output) != 0) return std::nullopt;
    const auto started = std::chrono::steady_clock::now();
    // The child keeps only the pipe's writing end, as its standard output.
    ::fcntl(output[0], F_SETFD, FD_CLOEXEC);
    const pid_t child = kiro::bench::StartProgram(command, folder, output[1]);
    if (child < 0) return std::nullopt;
    ::close(output[1]);
    const std::optional<std::string> line = FirstLine(output[0]);
    const auto ended = std::chrono::steady_clock::now();
    if (!line) ::kill(child, SIGKILL);
    ::close(output[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    Run run;
    long long ownMs = 0;
    if (!line || std::sscanf(line->c_str(), "startup_ms=%lld rss_kb=%lld", &ownMs, &run.rssKb) != 2) {
        std::fprintf(stderr, "StartupRace: %s printed no figures\n", command[0].c_str());
        return std::nullopt;
    }
    run.wallMs = std::chrono::duration<double, std::milli>(ended - started).count();
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc == 5 ? std::atoi(argv[1]) : 0;
    if (runs < 1 || runs > 100) {
        std::fprintf(stderr, "usage: StartupRace RUNS PROGRAM_FOLDER PROGRAM YARDSTICK\n");
        return 2;
    }
    // The desktop program starts in its program folder: its path must not depend on ours.
    char programPath[PATH_MAX];
    char yardstickPath[PATH_MAX];
    if (!::realpath(argv[3], programPath) || !::realpath(argv[4], yardstickPath)) {
        std::fprintf(stderr, "StartupRace: cannot find %s or %s\n", argv[3], argv[4]);
        return 2;
    }
    const std::vector<std::string> program = {programPath, "--measure-startup"};
    const std::vector<std::string> yardstick = {yardstickPath};
    const std::string folder = argv[2];
    const auto result = kiro::bench::Race(
        runs, [&] { return StartOnce(program, folder); }, [&] { return StartOnce(yardstick, {}); });
    if (!result) return 1;
    std::printf("%s\n", result->dump(2).c_str());
    return 0;
}
