// The update's time limits on a clock that moves only when told.
#include "core/update/TransferLimits.h"

#include <gtest/gtest.h>

#include "platform/sim/FakeClock.h"

namespace kiro {
namespace {

TEST(TransferLimitsTest, ATimeInAllEndsAtItsLastMillisecondAndStaysEnded) {
    sim::FakeClock clock;
    TransferLimits limits(clock);
    limits.Within(30000);
    clock.Advance(29999);
    EXPECT_FALSE(limits.Exceeded());
    clock.Advance(1);
    EXPECT_TRUE(limits.Exceeded());
    limits.Received(1 << 20);
    EXPECT_TRUE(limits.Exceeded()) << "data arriving later does not undo it";
}

TEST(TransferLimitsTest, EachWindowMustReachTheRateOnItsOwn) {
    sim::FakeClock clock;
    TransferLimits limits(clock);
    limits.AtLeast(1024, 60000);
    // A good first minute, polled now and then.
    for (int second = 1; second <= 60; ++second) {
        limits.Received(1024);
        clock.Advance(1000);
        EXPECT_FALSE(limits.Exceeded()) << second;
    }
    // A second minute one byte short of the rate: the first minute's bytes do not carry it.
    limits.Received(60 * 1024 - 1);
    clock.Advance(59999);
    EXPECT_FALSE(limits.Exceeded()) << "the window is not over yet";
    clock.Advance(1);
    EXPECT_TRUE(limits.Exceeded());
}

TEST(TransferLimitsTest, TheTickCountsWrapIsNoTimeOut) {
    sim::FakeClock clock;
    clock.SetTick(0xFFFFF000);
    TransferLimits soon(clock);
    soon.Within(5000);
    TransferLimits later(clock);
    later.Within(20000);
    clock.Advance(10000);
    EXPECT_TRUE(soon.Exceeded());
    EXPECT_FALSE(later.Exceeded());
}

}  // namespace
}  // namespace kiro
