#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32/ScsiPassThroughDirect.h"

namespace kiro::win32_platform {
namespace {

constexpr uintptr_t kPage = 4096;

// Memory that starts on a page, so that a test can hand over an aligned buffer or, one byte
// further on, a buffer that is not.
class PageMemory {
  public:
    PageMemory()
        : data_(static_cast<uint8_t*>(
              VirtualAlloc(nullptr, 2 * kPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
    ~PageMemory() { VirtualFree(data_, 0, MEM_RELEASE); }
    PageMemory(const PageMemory&) = delete;
    PageMemory& operator=(const PageMemory&) = delete;

    uint8_t* Aligned() const { return data_; }
    uint8_t* Unaligned() const { return data_ + 1; }

  private:
    uint8_t* data_;
};

bool IsOnAPage(const void* data) {
    return reinterpret_cast<uintptr_t>(data) % kPage == 0;
}

ScsiRequest Request(DataDirection direction, uint8_t* buffer, uint32_t length) {
    ScsiRequest request;
    request.commandBlock = {0xFE, 0x02, 0x00, 0x00, 0x0E};
    request.direction = direction;
    request.buffer = buffer;
    request.length = length;
    request.timeoutSeconds = 10;
    return request;
}

TEST(ScsiPassThroughTest, RequestForEachDirection) {
    uint8_t buffer[512] = {};
    struct Case {
        const char* name;
        DataDirection direction;
        uint8_t* buffer;
        uint32_t length;
        UCHAR expectedDataIn;
        ULONG expectedLength;
        void* expectedBuffer;
    };
    const Case cases[] = {
        {"from the device", DataDirection::FromDevice, buffer, 512, SCSI_IOCTL_DATA_IN, 512, buffer},
        {"to the device", DataDirection::ToDevice, buffer, 256, SCSI_IOCTL_DATA_OUT, 256, buffer},
        {"no data", DataDirection::None, nullptr, 0, SCSI_IOCTL_DATA_UNSPECIFIED, 0, nullptr},
        {"a direction without a buffer", DataDirection::FromDevice, nullptr, 512, SCSI_IOCTL_DATA_UNSPECIFIED,
         0, nullptr},
        {"a direction without a length", DataDirection::ToDevice, buffer, 0, SCSI_IOCTL_DATA_UNSPECIFIED, 0,
         nullptr},
    };
    for (const Case& c : cases) {
        ScsiPassThroughDirectRequest command;
        std::memset(&command, 0xCC, sizeof command);  // nothing left over from before may reach the driver
        PrepareScsiPassThroughDirect(Request(c.direction, c.buffer, c.length), command);
        const SCSI_PASS_THROUGH_DIRECT& header = command.header;
        EXPECT_EQ(header.Length, sizeof(SCSI_PASS_THROUGH_DIRECT)) << c.name;
        EXPECT_EQ(header.DataIn, c.expectedDataIn) << c.name;
        EXPECT_EQ(header.DataTransferLength, c.expectedLength) << c.name;
        EXPECT_EQ(header.DataBuffer, c.expectedBuffer) << c.name;
        EXPECT_EQ(header.TimeOutValue, 10u) << c.name << ": seconds, not milliseconds";
        EXPECT_EQ(header.ScsiStatus, 0) << c.name;
        EXPECT_EQ(header.PathId | header.TargetId | header.Lun, 0) << c.name;
        EXPECT_EQ(header.CdbLength, 16) << c.name;
        EXPECT_EQ(std::vector<UCHAR>(header.Cdb, header.Cdb + 16),
                  (std::vector<UCHAR>{0xFE, 0x02, 0x00, 0x00, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}))
            << c.name;
        // The sense offset is counted from the start of the request the driver gets.
        const auto* start = reinterpret_cast<const uint8_t*>(&command);
        EXPECT_EQ(start + header.SenseInfoOffset, command.sense) << c.name;
        EXPECT_EQ(header.SenseInfoLength, sizeof command.sense) << c.name;
        EXPECT_LE(header.SenseInfoOffset + header.SenseInfoLength, sizeof command) << c.name;
    }
}

TEST(ScsiPassThroughTest, ResultsInTheTransportsTerms) {
    struct Case {
        const char* name;
        int callResult;
        UCHAR status;
        int expected;
    };
    const Case cases[] = {
        {"good status", 0, 0x00, 0},
        {"check condition", 0, 0x02, -2},
        {"busy", 0, 0x08, -8},
        {"the driver refused the request", ERROR_ACCESS_DENIED, 0x00, ERROR_ACCESS_DENIED},
        {"a failed call is not read for a status", ERROR_SEM_TIMEOUT, 0x02, ERROR_SEM_TIMEOUT},
    };
    for (const Case& c : cases) {
        ScsiPassThroughDirectRequest command{};
        command.header.ScsiStatus = c.status;
        EXPECT_EQ(ScsiPassThroughDirectResult(c.callResult, command), c.expected) << c.name;
    }
}

TEST(ScsiPassThroughTest, SystemErrorsStayPositiveAndNonZero) {
    EXPECT_EQ(ReportedSystemError(ERROR_FILE_NOT_FOUND), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReportedSystemError(ERROR_SUCCESS), ERROR_GEN_FAILURE) << "a failure read as success";
    EXPECT_EQ(ReportedSystemError(0x80070005u), ERROR_GEN_FAILURE) << "a failure read as a device status";
}

// Sends through a stand-in for the driver and keeps what it was handed.
struct Driver {
    int Call(ScsiPassThroughDirectRequest& command) {
        seen = command.header;
        command.header.ScsiStatus = status;
        auto* data = static_cast<uint8_t*>(command.header.DataBuffer);
        if (!data) return result;
        seenData.assign(data, data + command.header.DataTransferLength);
        if (!answer.empty()) {
            const ULONG moved = std::min<ULONG>(answer.size(), command.header.DataTransferLength);
            std::memcpy(data, answer.data(), moved);
            command.header.DataTransferLength = moved;
        }
        return result;
    }
    int Send(const ScsiRequest& request) {
        return SendScsiPassThroughDirect(request,
                                         [this](ScsiPassThroughDirectRequest& c) { return Call(c); });
    }

    std::vector<uint8_t> answer;  // what the device sends back
    UCHAR status = 0;
    int result = 0;
    SCSI_PASS_THROUGH_DIRECT seen{};
    std::vector<uint8_t> seenData;
};

TEST(ScsiPassThroughTest, PageAlignedBuffersGoToTheDriverAsTheyAre) {
    PageMemory memory;
    Driver driver;
    driver.answer.assign(512, 0x5A);
    EXPECT_EQ(driver.Send(Request(DataDirection::FromDevice, memory.Aligned(), 512)), 0);
    EXPECT_EQ(driver.seen.DataBuffer, memory.Aligned());
    EXPECT_EQ(memory.Aligned()[511], 0x5A);
}

TEST(ScsiPassThroughTest, AnUnalignedReadGoesThroughAnAlignedCopyAndBackAsFarAsTheDeviceFilledIt) {
    PageMemory memory;
    uint8_t* caller = memory.Unaligned();
    std::memset(caller, 0xEE, 512);
    Driver driver;
    driver.answer.assign(100, 0x41);  // a short answer
    EXPECT_EQ(driver.Send(Request(DataDirection::FromDevice, caller, 512)), 0);
    EXPECT_TRUE(IsOnAPage(driver.seen.DataBuffer));
    EXPECT_EQ(driver.seen.DataTransferLength, 512u);
    EXPECT_EQ(std::vector<uint8_t>(caller, caller + 100), std::vector<uint8_t>(100, 0x41));
    EXPECT_EQ(std::vector<uint8_t>(caller + 100, caller + 512), std::vector<uint8_t>(412, 0xEE))
        << "bytes the device did not send are left as they were";

    // A device status still comes with the bytes that were moved.
    driver.status = 0x02;
    driver.answer.assign(512, 0x42);
    EXPECT_EQ(driver.Send(Request(DataDirection::FromDevice, caller, 512)), -2);
    EXPECT_EQ(caller[511], 0x42);
}

TEST(ScsiPassThroughTest, AnUnalignedWriteSendsTheCallersBytesFromAnAlignedCopy) {
    PageMemory memory;
    uint8_t* caller = memory.Unaligned();
    for (int i = 0; i < 256; ++i) caller[i] = static_cast<uint8_t>(i);
    const std::vector<uint8_t> before(caller, caller + 256);
    Driver driver;
    EXPECT_EQ(driver.Send(Request(DataDirection::ToDevice, caller, 256)), 0);
    EXPECT_TRUE(IsOnAPage(driver.seen.DataBuffer));
    EXPECT_EQ(driver.seen.DataIn, SCSI_IOCTL_DATA_OUT);
    EXPECT_EQ(driver.seenData, before);
    EXPECT_EQ(std::vector<uint8_t>(caller, caller + 256), before);
}

TEST(ScsiPassThroughTest, AFailedReadLeavesTheCallersBufferAlone) {
    PageMemory memory;
    uint8_t* caller = memory.Unaligned();
    std::memset(caller, 0xEE, 64);
    Driver driver;
    driver.answer.assign(64, 0x41);  // what a failing driver may have left in the copy
    driver.result = ERROR_IO_DEVICE;
    EXPECT_EQ(driver.Send(Request(DataDirection::FromDevice, caller, 64)), ERROR_IO_DEVICE);
    EXPECT_EQ(std::vector<uint8_t>(caller, caller + 64), std::vector<uint8_t>(64, 0xEE));
}

}  // namespace
}  // namespace kiro::win32_platform
