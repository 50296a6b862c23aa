// The system's figures for the memory this process holds.
#include <gtest/gtest.h>

#include <vector>

#include "platform/NativePlatform.h"

namespace kiro {
namespace {

// AddressSanitizer holds freed memory back for a while, to catch late uses of it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kFreedMemoryIsKept = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kFreedMemoryIsKept = true;
#else
constexpr bool kFreedMemoryIsKept = false;
#endif
#else
constexpr bool kFreedMemoryIsKept = false;
#endif

TEST(NativeProcessInfoTest, ResidentMemoryAndItsPeakFollowWhatTheProcessTouches) {
    NativeProcessInfo process;
    const ProcessInfo::Usage before = process.CurrentUsage();
    ASSERT_GT(before.residentKilobytes, 0);
    ASSERT_GT(before.peakResidentKilobytes, 0);

    int64_t heldWithTheBlock = 0;
    const int64_t withTheBlock = before.residentKilobytes + 60 * 1024;
    {
        // 64 MB touched page by page are resident.
        std::vector<char> block(64 << 20);
        for (size_t at = 0; at < block.size(); at += 4096) block[at] = 1;
        asm volatile("" : : "r"(block.data()) : "memory");  // the writes must happen
        const ProcessInfo::Usage holding = process.CurrentUsage();
        EXPECT_GE(holding.residentKilobytes, withTheBlock);
        heldWithTheBlock = holding.residentKilobytes;
    }
    // Given back, the block leaves the current figure; the peak remembers it. (Wine's peak may
    // trail the figure it last reported by a few pages.)
    const ProcessInfo::Usage after = process.CurrentUsage();
    if (!kFreedMemoryIsKept) {
        EXPECT_LT(after.residentKilobytes, heldWithTheBlock - 32 * 1024);
    }
    EXPECT_GE(after.peakResidentKilobytes, withTheBlock);
}

}  // namespace
}  // namespace kiro
