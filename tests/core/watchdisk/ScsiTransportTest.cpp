#include "core/watch/ScsiTransport.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/FakeClock.h"
#include "support/RecordingDeviceIo.h"

namespace kiro {
namespace {

using test::RecordingDeviceIo;

TEST(ScsiPassThroughTest, ZeroLengthSendsNeitherBufferNorDirection) {
    RecordingDeviceIo io;
    uint8_t buffer[4] = {};
    const uint8_t block[] = {0xFE, 0x03};
    ScsiPassThrough(io, DeviceHandle{5}, block, true, buffer, 0, 3);
    ASSERT_EQ(io.sent.size(), 1u);
    EXPECT_EQ(io.sent[0].handle, 5);
    EXPECT_EQ(io.sent[0].direction, DataDirection::None);
    EXPECT_FALSE(io.sent[0].hadBuffer);
}

TEST(ScsiPassThroughTest, BlockLongerThanSixteenBytesIsNeverSent) {
    RecordingDeviceIo io;
    const std::vector<uint8_t> seventeen(17, 0x12);
    EXPECT_EQ(ScsiPassThrough(io, DeviceHandle{5}, seventeen, false, nullptr, 0, 3), kCommandNotSent);
    EXPECT_EQ(ScsiPassThrough(io, 'E', seventeen, false, nullptr, 0, 3), kCommandNotSent);
    EXPECT_EQ(ScsiPassThrough(io, std::string("/dev/sdb"), seventeen, false, nullptr, 0, 3), kCommandNotSent);
    EXPECT_TRUE(io.sent.empty());
    EXPECT_TRUE(io.opened.empty()) << "a bad block must not even open the device";
    EXPECT_EQ(ScsiPassThrough(io, DeviceHandle{5}, std::vector<uint8_t>(16, 0x12), false, nullptr, 0, 3), 0);
}

TEST(ScsiPassThroughTest, LetterAndPathFormsOpenSendAndCloseWhateverTheResult) {
    RecordingDeviceIo io;
    io.sendResult = -2;
    const uint8_t block[] = {0x12};
    EXPECT_EQ(ScsiPassThrough(io, 'F', block, false, nullptr, 0, 3), -2);
    EXPECT_EQ(ScsiPassThrough(io, std::string("/dev/sdc"), block, false, nullptr, 0, 3), -2);
    EXPECT_EQ(io.opened, (std::vector<std::string>{"letter:F", "path:/dev/sdc"}));
    ASSERT_EQ(io.sent.size(), 2u);
    EXPECT_EQ(io.closed, (std::vector<DeviceHandle>{io.sent[0].handle, io.sent[1].handle}));
}

TEST(ScsiPassThroughTest, DeviceThatDoesNotOpenGivesMinusOne) {
    RecordingDeviceIo io;
    io.opens = false;
    const uint8_t block[] = {0x12};
    EXPECT_EQ(ScsiPassThrough(io, 'F', block, false, nullptr, 0, 3), -1);
    EXPECT_EQ(ScsiPassThrough(io, std::string("/dev/sdc"), block, false, nullptr, 0, 3), -1);
    EXPECT_EQ(ScsiPassThrough(io, kNoDevice, block, false, nullptr, 0, 3), -1);
    EXPECT_TRUE(io.sent.empty());
    EXPECT_TRUE(io.closed.empty());
}

TEST(VolumeLockTest, ThreeFailuresWaitTwoHundredMillisecondsAfterEach) {
    for (const bool unlock : {false, true}) {
        RecordingDeviceIo io;
        sim::FakeClock clock;
        io.lockFailures = 5;
        io.lockError = 16;
        EXPECT_EQ(unlock ? UnlockVolume(io, clock, 7) : LockVolume(io, clock, 7), 16);
        EXPECT_EQ(io.lockAttempts, 3);
        EXPECT_EQ(clock.SleepCount(), 3);
        EXPECT_EQ(clock.TotalSlept(), 600u);
    }
}

TEST(VolumeLockTest, StopsAtTheFirstSuccess) {
    RecordingDeviceIo io;
    sim::FakeClock clock;
    io.lockFailures = 1;
    EXPECT_EQ(LockVolume(io, clock, 7), 0);
    EXPECT_EQ(io.lockAttempts, 2);
    EXPECT_EQ(clock.TotalSlept(), 200u);
}

}  // namespace
}  // namespace kiro
