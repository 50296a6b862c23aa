#include "platform/linux/LinuxProcessInfo.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

namespace kiro::linux_platform {
namespace {

TEST(LinuxProcessInfoTest, UsageFollowsWhatTheProcessHolds) {
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

    // 64 MB touched page by page are resident.
    std::vector<char> block(64 << 20);
    for (size_t at = 0; at < block.size(); at += 4096) block[at] = 1;
    asm volatile("" : : "r"(block.data()) : "memory");  // the writes must happen
    EXPECT_GE(process.CurrentUsage().residentKilobytes, before.residentKilobytes + 60 * 1024);
}

}  // namespace
}  // namespace kiro::linux_platform
