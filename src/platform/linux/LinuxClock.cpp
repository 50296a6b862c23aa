#include "platform/linux/LinuxClock.h"

#include <time.h>

namespace kiro::linux_platform {

LocalTime LinuxClock::Now() const {
    const time_t now = time(nullptr);
    struct tm parts {};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
            parts.tm_min,         parts.tm_sec,     parts.tm_wday};
}

uint32_t LinuxClock::TickCount() const {
    struct timespec ts {};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    const unsigned long long ms = static_cast<unsigned long long>(ts.tv_sec) * 1000ull + ts.tv_nsec / 1000000;
    return static_cast<uint32_t>(ms);
}

void LinuxClock::Sleep(uint32_t milliseconds) {
    struct timespec ts {};
    ts.tv_sec = milliseconds / 1000;
    ts.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    while (nanosleep(&ts, &ts) != 0) {
    }
}

}  // namespace kiro::linux_platform
