#include "platform/linux/LinuxProcessInfo.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/TimeLimits.h"

namespace kiro::linux_platform {
namespace {

TEST(LinuxProcessInfoTest, OpenDescriptorsAreCounted) {
    LinuxProcessInfo process;
    const ProcessInfo::Usage before = process.CurrentUsage();
    ASSERT_GT(before.residentKilobytes, 0);
    ASSERT_GE(before.openDescriptors, 3) << "standard input, output and error at least";

    const int opened = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(opened, 0);
    EXPECT_EQ(process.CurrentUsage().openDescriptors, before.openDescriptors + 1)
        << "the listing does not count its own descriptor";
    ::close(opened);
    EXPECT_EQ(process.CurrentUsage().openDescriptors, before.openDescriptors);
}

TEST(LinuxProcessInfoTest, TimeSinceStartCountsFromThisProcesssOwnStart) {
    // A new process (its start is known) reports after 300 ms of its life, through a pipe.
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const int64_t running = LinuxProcessInfo().MillisecondsSinceStart();
        const bool sent = ::write(channel[1], &running, sizeof running) == sizeof running;
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    int64_t running = -1;
    EXPECT_EQ(::read(channel[0], &running, sizeof running), static_cast<ssize_t>(sizeof running));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_GE(running, 290) << "the clock ticks by 10 ms";
    EXPECT_LT(running, kiro::test::TimeLimit(std::chrono::seconds(5)).count());
}

}  // namespace
}  // namespace kiro::linux_platform
