#include "core/watch/WatchCommands.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/RecordingDeviceIo.h"

namespace kiro {
namespace {

using test::RecordingDeviceIo;
using Cdb = std::array<uint8_t, 16>;

struct CommandCase {
    const char* name;
    std::function<void(RecordingDeviceIo&)> run;
    const char* opened;  // "" when sent on the held handle
    Cdb commandBlock;
    DataDirection direction;
    uint32_t length;
    uint32_t timeoutSeconds;
};

TEST(WatchCommandsTest, EveryCommandSendsItsExactBlockDirectionLengthAndTimeout) {
    const std::array<uint8_t, 256> block{};
    const CommandCase cases[] = {
        {"Inquiry by letter",
         [](auto& io) { Inquiry(io, 'E'); },
         "letter:E",
         {0x12, 0, 0, 0, 0x24},
         DataDirection::FromDevice,
         44,
         3},
        {"Inquiry by path",
         [](auto& io) { Inquiry(io, std::string("/dev/sdb")); },
         "path:/dev/sdb",
         {0x12, 0, 0, 0, 0x24},
         DataDirection::FromDevice,
         44,
         3},
        {"ReadConfigBlock",
         [](auto& io) { ReadConfigBlock(io, 9); },
         "",
         {0xFE, 0x00},
         DataDirection::FromDevice,
         256,
         3},
        {"WriteConfigBlock on handle",
         [&](auto& io) { WriteConfigBlock(io, 9, block); },
         "",
         {0xFE, 0x01},
         DataDirection::ToDevice,
         256,
         3},
        {"WriteConfigBlock by letter",
         [&](auto& io) { WriteConfigBlock(io, 'G', block); },
         "letter:G",
         {0xFE, 0x01},
         DataDirection::ToDevice,
         256,
         3},
        {"ReadDataPage 14",
         [](auto& io) { ReadDataPage(io, 9, 14); },
         "",
         {0xFE, 0x02, 0x00, 0x00, 0x0E},
         DataDirection::FromDevice,
         512,
         3},
        {"ReadDataPage 8",
         [](auto& io) { ReadDataPage(io, 9, 8); },
         "",
         {0xFE, 0x02, 0x00, 0x00, 0x08},
         DataDirection::FromDevice,
         512,
         3},
        {"EndTransfer", [](auto& io) { EndTransfer(io, 9); }, "", {0xFE, 0x03}, DataDirection::None, 0, 3},
        {"ReadDataBlock",
         [](auto& io) { ReadDataBlock(io, 9); },
         "",
         {0xFE, 0x04},
         DataDirection::FromDevice,
         512,
         10},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDeviceIo io;
        c.run(io);
        ASSERT_EQ(io.sent.size(), 1u);
        const auto& sent = io.sent[0];
        EXPECT_EQ(sent.commandBlock, c.commandBlock);
        EXPECT_EQ(sent.direction, c.direction);
        EXPECT_EQ(sent.length, c.length);
        EXPECT_EQ(sent.hadBuffer, c.length != 0);
        EXPECT_EQ(sent.timeoutSeconds, c.timeoutSeconds);
        if (*c.opened) {
            EXPECT_EQ(io.opened, std::vector<std::string>{c.opened});
            EXPECT_EQ(io.closed.size(), 1u);
        } else {
            EXPECT_EQ(sent.handle, 9);
            EXPECT_TRUE(io.opened.empty());
        }
    }
}

TEST(WatchCommandsTest, WriteConfigBlockCarriesTheBlock) {
    RecordingDeviceIo io;
    std::array<uint8_t, 256> block{};
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 7);
    EXPECT_EQ(WriteConfigBlock(io, 9, block), 0);
    EXPECT_EQ(io.sent.at(0).dataSent, std::vector<uint8_t>(block.begin(), block.end()));
}

// A device that wrote part of an answer before failing must not leave it behind as data.
TEST(WatchCommandsTest, FailedReadLeavesOnlyZerosAndItsResult) {
    RecordingDeviceIo io;
    io.answer.assign(512, 0x5A);
    io.sendResult = -2;
    const DataBlockRead block = ReadDataBlock(io, 9);
    EXPECT_EQ(block.result, -2);
    EXPECT_EQ(block.data, (std::array<uint8_t, 512>{}));

    io.sendResult = 5;
    EXPECT_EQ(ReadConfigBlock(io, 9).data, (std::array<uint8_t, 256>{}));
    EXPECT_EQ(ReadDataPage(io, 9, 10).result, 5);
}

TEST(WatchCommandsTest, InquiryOfAVolumeThatDoesNotOpenIsMinusOneAndZero) {
    RecordingDeviceIo io;
    io.opens = false;
    const InquiryData inquiry = Inquiry(io, 'K');
    EXPECT_EQ(inquiry.result, -1);
    EXPECT_EQ(inquiry.data, (std::array<uint8_t, 44>{}));
    EXPECT_FALSE(IdentifyWatch(inquiry).isX5);
}

}  // namespace
}  // namespace kiro
