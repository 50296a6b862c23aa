#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace kiro::win32_platform {
namespace {

// FILETIME counts 100-nanosecond steps from 1601-01-01.
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr int64_t kFileTimeStepsPerSecond = 10000000;

LocalTime FromSystemTime(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wDayOfWeek};
}

}  // namespace

LocalTime Win32Clock::Now() const {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return FromSystemTime(now);
}

LocalTime Win32Clock::LocalTimeOf(int64_t secondsSince1970) const {
    const uint64_t steps =
        static_cast<uint64_t>(secondsSince1970 + kSecondsFrom1601To1970) * kFileTimeStepsPerSecond;
    const FILETIME moment{static_cast<DWORD>(steps), static_cast<DWORD>(steps >> 32)};
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&moment, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return {};
    return FromSystemTime(local);
}

uint32_t Win32Clock::TickCount() const {
    return GetTickCount();
}

void Win32Clock::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace kiro::win32_platform
