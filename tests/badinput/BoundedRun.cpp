#include "BoundedRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <stdexcept>
#include <thread>

#include "support/TempFolder.h"
#include "support/TimeLimits.h"

namespace kiro::test {

BoundedResult RunBounded(const std::vector<std::string>& argv, const RunPlace& place,
                         std::chrono::milliseconds limit) {
    const std::string outPath = place.captureFolder + "/stdout";
    const std::string errPath = place.captureFolder + "/stderr";
    std::vector<char*> arguments;
    for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    std::vector<char*> environment;
    for (const std::string& entry : place.environment)
        environment.push_back(const_cast<char*>(entry.c_str()));
    environment.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, place.workingDirectory.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group, so that a run over its time is killed with whatever it started.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    const auto started = std::chrono::steady_clock::now();
    pid_t pid = -1;
    const int failed =
        posix_spawn(&pid, arguments[0], &actions, &attributes, arguments.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed) throw std::runtime_error("cannot start " + argv[0]);

    BoundedResult result;
    const std::chrono::milliseconds scaledLimit = TimeLimit(limit);
    int status = 0;
    struct rusage usage {};
    for (;;) {
        const pid_t ended = wait4(pid, &status, WNOHANG, &usage);
        if (ended == pid) break;
        if (ended < 0 && errno != EINTR) throw std::runtime_error("waitpid failed");
        if (std::chrono::steady_clock::now() - started > scaledLimit) {
            result.overTime = true;
            kill(-pid, SIGKILL);
            while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
            }
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    result.peakKilobytes = usage.ru_maxrss;
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.out = TempFolder::ReadFile(outPath);
    result.err = TempFolder::ReadFile(errPath);
    return result;
}

}  // namespace kiro::test
