#include "platform/linux/LinuxProcessInfo.h"

#include <dirent.h>
#include <errno.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <vector>

namespace kiro::linux_platform {

std::string LinuxProcessInfo::OwnProgramPath() const {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return {};
    return std::string(buffer.data(), static_cast<size_t>(length));
}

void LinuxProcessInfo::RaiseCurrentThreadPriority() {
    // On Linux a thread has a nice value of its own, addressed by its thread id.
    const id_t thread = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, thread);
    if (errno == 0) ::setpriority(PRIO_PROCESS, thread, nice - 1);
}

ProcessInfo::Usage LinuxProcessInfo::CurrentUsage() const {
    Usage usage;
    std::ifstream statm("/proc/self/statm");
    int64_t sizePages = 0;
    int64_t residentPages = 0;
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    if (statm >> sizePages >> residentPages && pageBytes > 0)
        usage.residentKilobytes = residentPages * pageBytes / 1024;
    rusage resources{};
    if (::getrusage(RUSAGE_SELF, &resources) == 0) usage.peakResidentKilobytes = resources.ru_maxrss;

    const auto close = [](DIR* folder) { ::closedir(folder); };
    const std::unique_ptr<DIR, decltype(close)> fds(::opendir("/proc/self/fd"), close);
    if (!fds) return usage;
    int entries = 0;
    while (const dirent* entry = ::readdir(fds.get()))
        if (entry->d_name[0] != '.') ++entries;
    // The listing's own descriptor is one of them.
    usage.openDescriptors = entries - 1;
    return usage;
}

int64_t LinuxProcessInfo::MillisecondsSinceStart() const {
    std::ifstream file("/proc/self/stat");
    const std::string stat{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    // The program's name, in parentheses, may hold blanks and parentheses: the fields after it
    // start past the last ')', with the state (field 3); the start time is field 22.
    const size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) return -1;
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string field;
    for (int number = 3; number < 22; ++number) fields >> field;
    unsigned long long startTicks = 0;
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    timespec now{};
    if (!(fields >> startTicks) || ticksPerSecond <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const int64_t nowMs = static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    return nowMs - static_cast<int64_t>(startTicks * 1000 / static_cast<unsigned long long>(ticksPerSecond));
}

}  // namespace kiro::linux_platform
