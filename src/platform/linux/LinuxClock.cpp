#include "platform/linux/LinuxClock.h"

#include <time.h>

namespace kiro::linux_platform {

LocalTime LinuxClock::Now() const {
    return LocalTimeOf(time(nullptr));
}

LocalTime LinuxClock::LocalTimeOf(int64_t secondsSince1970) const {
    const time_t moment = static_cast<time_t>(secondsSince1970);
    struct tm parts {};
    localtime_r(&moment, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
            parts.tm_min,         parts.tm_sec,     parts.tm_wday};
}

int64_t LinuxClock::SecondsOf(const LocalTime& local) const {
    struct tm parts {};
    parts.tm_year = local.year - 1900;
    parts.tm_mon = local.month - 1;
    parts.tm_mday = local.day;
    parts.tm_hour = local.hour;
    parts.tm_min = local.minute;
    parts.tm_sec = local.second;
    parts.tm_isdst = -1;  // the zone's rules say whether daylight saving applies
    return static_cast<int64_t>(mktime(&parts));
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
