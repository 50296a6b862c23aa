#include "platform/win32/Win32ProcessInfo.h"

#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <vector>

namespace kiro::win32_platform {
namespace {

// Long paths ("\\?\" form) end at this many characters.
constexpr DWORD kLongestPath = 32768;

int64_t HundredNanosecondUnits(const FILETIME& time) {
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

}  // namespace

std::string Win32ProcessInfo::OwnProgramPath() const {
    // The function cuts the path to the buffer without saying how long it is: a buffer it filled
    // to the last character may have been too small.
    for (DWORD size = MAX_PATH; size <= 2 * kLongestPath; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) return std::string(buffer.data(), length);
    }
    return {};
}

void Win32ProcessInfo::RaiseCurrentThreadPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
}

ProcessInfo::Usage Win32ProcessInfo::CurrentUsage() const {
    Usage usage;
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        usage.residentKilobytes = static_cast<int64_t>(memory.WorkingSetSize / 1024);
        usage.peakResidentKilobytes = static_cast<int64_t>(memory.PeakWorkingSetSize / 1024);
    }
    // A running process holds handles at all times (its current folder's, for one); a count of
    // none comes from a system that does not count them, as Wine.
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles) && handles > 0)
        usage.openDescriptors = static_cast<int>(handles);
    return usage;
}

int64_t Win32ProcessInfo::MillisecondsSinceStart() const {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const int64_t elapsed = HundredNanosecondUnits(now) - HundredNanosecondUnits(created);
    return elapsed < 0 ? -1 : elapsed / 10000;
}

}  // namespace kiro::win32_platform
