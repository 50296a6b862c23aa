#include "platform/win32/Win32ProcessInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <thread>

namespace kiro::win32_platform {
namespace {

TEST(Win32ProcessInfoTest, TheOwnPathNamesThisProgramsFile) {
    std::string path = Win32ProcessInfo().OwnProgramPath();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << path;
    std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_TRUE(path.ends_with("kiro_win32_platform_tests.exe")) << path;
}

TEST(Win32ProcessInfoTest, OpenHandlesAreCounted) {
    Win32ProcessInfo process;
    const ProcessInfo::Usage before = process.CurrentUsage();
    ASSERT_GT(before.residentKilobytes, 0);

    // Wine counts no handles: the figure is then not given, never a count of none.
    ASSERT_NE(before.openDescriptors, 0);
    if (before.openDescriptors > 0) {
        const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(process.CurrentUsage().openDescriptors, before.openDescriptors + 1);
        CloseHandle(event);
        EXPECT_EQ(process.CurrentUsage().openDescriptors, before.openDescriptors);
    }
}

TEST(Win32ProcessInfoTest, TimeSinceStartCountsFromThisProcesssOwnStart) {
    Win32ProcessInfo process;
    const int64_t first = process.MillisecondsSinceStart();
    ASSERT_GE(first, 0);
    EXPECT_LT(first, 10 * 60 * 1000) << "this test program has not run for ten minutes";

    Sleep(300);
    const int64_t second = process.MillisecondsSinceStart();
    EXPECT_GE(second - first, 280) << "the system time moves in steps of up to 16 ms";
    EXPECT_LT(second - first, 5000);
}

TEST(Win32ProcessInfoTest, OnlyTheCallingThreadIsRaised) {
    Win32ProcessInfo process;
    int raised = THREAD_PRIORITY_ERROR_RETURN;
    std::thread worker([&] {
        process.RaiseCurrentThreadPriority();
        raised = GetThreadPriority(GetCurrentThread());
    });
    worker.join();
    EXPECT_EQ(raised, THREAD_PRIORITY_ABOVE_NORMAL);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL);
}

}  // namespace
}  // namespace kiro::win32_platform
