#pragma once
#include <chrono>

namespace kiro::test {

// The time limits of the tests are set for the ordinary build. The sanitizer build runs every
// program several times slower, so the build sets KIRO_TIME_LIMIT_SCALE (tests/CMakeLists.txt)
// and every limit goes through TimeLimit: a limit that only holds in the fast build would fail
// there by chance. Only upper bounds are scaled; a lower bound ("waited at least its second")
// holds at any speed.
inline constexpr int kTimeLimitScale = KIRO_TIME_LIMIT_SCALE;

template <class Rep, class Period>
constexpr std::chrono::milliseconds TimeLimit(std::chrono::duration<Rep, Period> limit) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(limit) * kTimeLimitScale;
}

// The same in milliseconds, for the waits that take a plain number (QTest::qWaitFor).
template <class Rep, class Period>
constexpr int TimeLimitMs(std::chrono::duration<Rep, Period> limit) {
    return static_cast<int>(TimeLimit(limit).count());
}

}  // namespace kiro::test
