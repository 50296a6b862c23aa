// Starts the desktop program and a minimal Qt program in turn, RUNS times each, on the X display
// of the environment, and times each from the moment it is started to the moment the X server
// maps its first top-level window, watched from outside: neither program is asked to report
// anything. The resident memory is read from /proc at that moment; then the program is ended.
// The desktop program starts in an empty program folder of its own each run. Prints the runs
// and the medians as JSON for scripts/bench.
//   FirstWindowRace RUNS PROGRAM YARDSTICK [YARDSTICK_ARGUMENT...]
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "startup/RaceFigures.h"

namespace {

using kiro::bench::Run;

constexpr int kTimeoutMs = 60000;

long long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
    return -1;
}

struct XcbClose {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Display = std::unique_ptr<xcb_connection_t, XcbClose>;

// Waits for the first window mapped on the root window; false when time ran out or the
// display went away.
bool WaitForMappedWindow(xcb_connection_t* display) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(display)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped) return true;
        }
        if (xcb_connection_has_error(display)) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd waiting{xcb_get_file_descriptor(display), POLLIN, 0};
        ::poll(&waiting, 1, static_cast<int>(left.count()));
    }
}

// Watches the display for windows mapped on its root window.
Display WatchDisplay() {
    Display display(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(display.get())) return nullptr;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(display.get())).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(display.get(), xcb_change_window_attributes_checked(display.get(), screen->root,
                                                                          XCB_CW_EVENT_MASK, &mask));
    return display;
}

// One connection for the whole race: a display server without clients resets itself between.
std::optional<Run> StartOnce(xcb_connection_t* display, const std::vector<std::string>& command,
                             const std::string& folder) {
    // What the last program's windows did is past.
    while (xcb_generic_event_t* event = xcb_poll_for_event(display)) std::free(event);
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = kiro::bench::StartProgram(command, folder, -1);
    if (child < 0) return std::nullopt;
    const bool mapped = WaitForMappedWindow(display);
    const auto ended = std::chrono::steady_clock::now();
    Run run;
    run.rssKb = mapped ? ResidentKb(child) : -1;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!mapped || run.rssKb < 0) {
        std::fprintf(stderr, "FirstWindowRace: %s mapped no window\n", command[0].c_str());
        return std::nullopt;
    }
    run.wallMs = std::chrono::duration<double, std::milli>(ended - started).count();
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc >= 4 ? std::atoi(argv[1]) : 0;
    if (runs < 1 || runs > 100) {
        std::fprintf(stderr, "usage: FirstWindowRace RUNS PROGRAM YARDSTICK [YARDSTICK_ARGUMENT...]\n");
        return 2;
    }
    char programPath[PATH_MAX];
    char yardstickPath[PATH_MAX];
    if (!::realpath(argv[2], programPath) || !::realpath(argv[3], yardstickPath)) {
        std::fprintf(stderr, "FirstWindowRace: cannot find %s or %s\n", argv[2], argv[3]);
        return 2;
    }
    const std::vector<std::string> program = {programPath};
    std::vector<std::string> yardstick = {yardstickPath};
    for (int i = 4; i < argc; ++i) yardstick.emplace_back(argv[i]);
    const Display display = WatchDisplay();
    if (!display) {
        std::fprintf(stderr, "FirstWindowRace: no X display\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const auto result = kiro::bench::Race(
        runs,
        [&]() -> std::optional<Run> {
            std::string folder = (fs::temp_directory_path() / "kiro-first-window-XXXXXX").string();
            if (::mkdtemp(folder.data()) == nullptr) return std::nullopt;
            const auto run = StartOnce(display.get(), program, folder);
            std::error_code ignored;
            fs::remove_all(folder, ignored);
            return run;
        },
        [&] { return StartOnce(display.get(), yardstick, {}); });
    if (!result) return 1;
    std::printf("%s\n", result->dump(2).c_str());
    return 0;
}
