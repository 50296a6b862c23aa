// Real per-minute steps recorded by a simulated X5E come back through its data blocks whole.
#include <gtest/gtest.h>

#include <numeric>

#include "core/watch/WatchCommands.h"
#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/RealWorldSteps.h"
#include "platform/sim/SimulatedDeviceIo.h"

namespace kiro::sim {
namespace {

TEST(RealDataOnWatchTest, EveryStepOfAWeekComesBackInTheBlocks) {
    const auto realDays = LoadRealWorldSteps(
        std::string(KIRO_SOURCE_DIR) + "/data/realworld/minuteStepsWide.csv", kRealWorldParticipants[0]);
    ASSERT_GE(realDays.size(), 7u);
    FakeClock clock;
    DeviceModeWatch watch(clock, {'E', true, 0});
    SimulatedDeviceIo io;
    io.Attach('H', watch);
    int64_t recorded = 0;
    for (int i = 0; i < 7; ++i) {
        watch.Record(realDays[i]);
        recorded += std::accumulate(realDays[i].minutes.begin(), realDays[i].minutes.end(), int64_t{0});
    }
    ASSERT_GT(recorded, 20000);

    const DeviceHandle handle = io.OpenVolume('H');
    int64_t collected = 0;
    int blocks = 0;
    for (;;) {
        const DataBlockRead block = ReadDataBlock(io, handle);
        ASSERT_TRUE(block.Succeeded());
        if (block.data[1] == 0) break;
        ++blocks;
        for (int k = 0; k < 144; ++k) collected += block.data[4 + 2 * k] | (block.data[5 + 2 * k] << 8);
        if (block.data[292] == 0x0F) break;
    }
    EXPECT_EQ(blocks, 14);
    EXPECT_EQ(collected, recorded);
}

}  // namespace
}  // namespace kiro::sim
