#include "platform/win32/Win32Clock.h"

#include <windows.h>

#include "core/base/CalendarMath.h"

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

int64_t Win32Clock::SecondsOf(const LocalTime& local) const {
    const auto word = [](int value) { return static_cast<WORD>(value); };
    const SYSTEMTIME localTime{word(local.year),   word(local.month),  0, word(local.day), word(local.hour),
                               word(local.minute), word(local.second), 0};
    SYSTEMTIME universal{};
    FILETIME moment{};
    // A time no calendar holds (a watch's clock bytes may say anything) counts as written.
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &universal) ||
        !SystemTimeToFileTime(&universal, &moment))
        return ToSeconds(local);
    const uint64_t steps = (static_cast<uint64_t>(moment.dwHighDateTime) << 32) | moment.dwLowDateTime;
    return static_cast<int64_t>(steps / kFileTimeStepsPerSecond) - kSecondsFrom1601To1970;
}

uint32_t Win32Clock::TickCount() const {
    return GetTickCount();
}

void Win32Clock::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace kiro::win32_platform
