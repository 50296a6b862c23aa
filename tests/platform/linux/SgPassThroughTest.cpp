#include "platform/linux/SgPassThrough.h"

#include <errno.h>
#include <gtest/gtest.h>

#include <vector>

#include "FakeSystemCalls.h"

namespace kiro::linux_platform {
namespace {

// What the kernel would have been handed, copied while the pointers are still valid.
struct SeenByKernel {
    sg_io_hdr_t header{};
    std::vector<unsigned char> commandBlock;
};

SeenByKernel SendAndCapture(const ScsiRequest& request, int fd = 9) {
    test::FakeSystemCalls calls;
    SeenByKernel seen;
    calls.onIoctl = [&](int usedFd, unsigned long code, void* argument) {
        EXPECT_EQ(usedFd, fd);
        EXPECT_EQ(code, static_cast<unsigned long>(SG_IO));
        seen.header = *static_cast<sg_io_hdr_t*>(argument);
        seen.commandBlock.assign(seen.header.cmdp, seen.header.cmdp + seen.header.cmd_len);
        return 0;
    };
    EXPECT_EQ(SendSgCommand(calls, fd, request), 0);
    return seen;
}

TEST(SgPassThroughTest, HeaderForAReadFromTheDevice) {
    uint8_t buffer[512] = {};
    ScsiRequest request;
    request.commandBlock = {0xFE, 0x02, 0x00, 0x00, 0x0E};
    request.direction = DataDirection::FromDevice;
    request.buffer = buffer;
    request.length = 512;
    request.timeoutSeconds = 3;
    const SeenByKernel seen = SendAndCapture(request);
    EXPECT_EQ(seen.header.interface_id, 'S');
    EXPECT_EQ(seen.header.dxfer_direction, SG_DXFER_FROM_DEV);
    EXPECT_EQ(seen.header.cmd_len, 16);
    EXPECT_EQ(seen.commandBlock,
              (std::vector<unsigned char>{0xFE, 0x02, 0x00, 0x00, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(seen.header.mx_sb_len, 24);
    EXPECT_NE(seen.header.sbp, nullptr);
    EXPECT_EQ(seen.header.dxfer_len, 512u);
    EXPECT_EQ(seen.header.dxferp, buffer);
    EXPECT_EQ(seen.header.timeout, 3000u);
    EXPECT_EQ(seen.header.iovec_count, 0);
}

TEST(SgPassThroughTest, HeaderForAWriteToTheDevice) {
    uint8_t block[256] = {};
    ScsiRequest request;
    request.commandBlock = {0xFE, 0x01};
    request.direction = DataDirection::ToDevice;
    request.buffer = block;
    request.length = 256;
    request.timeoutSeconds = 10;
    const SeenByKernel seen = SendAndCapture(request);
    EXPECT_EQ(seen.header.dxfer_direction, SG_DXFER_TO_DEV);
    EXPECT_EQ(seen.header.dxfer_len, 256u);
    EXPECT_EQ(seen.header.dxferp, block);
    EXPECT_EQ(seen.header.timeout, 10000u);
}

TEST(SgPassThroughTest, HeaderWithoutData) {
    ScsiRequest request;
    request.commandBlock = {0xFE, 0x03};
    const SeenByKernel seen = SendAndCapture(request);
    EXPECT_EQ(seen.header.dxfer_direction, SG_DXFER_NONE);
    EXPECT_EQ(seen.header.dxfer_len, 0u);
    EXPECT_EQ(seen.header.dxferp, nullptr);
    EXPECT_EQ(seen.commandBlock[1], 0x03);
}

TEST(SgPassThroughTest, ResultsInTheTransportsTerms) {
    struct Case {
        const char* name;
        int ioctlResult;
        unsigned char status;
        unsigned short hostStatus;
        unsigned short driverStatus;
        int expected;
    };
    const Case cases[] = {
        {"good status", 0, 0, 0, 0, 0},
        {"the call itself failed", -EACCES, 0, 0, 0, EACCES},
        {"check condition with sense data", 0, 0x02, 0, 0x08, -2},
        {"busy", 0, 0x08, 0, 0, -8},
        {"adapter timed out", 0, 0, 0x03, 0, ETIMEDOUT},
        {"driver timed out", 0, 0, 0, 0x06, ETIMEDOUT},
        {"device gone, no status", 0, 0, 0x01, 0, EIO},
        {"driver error, no status", 0, 0, 0, 0x04, EIO},
    };
    for (const Case& c : cases) {
        sg_io_hdr_t header{};
        header.status = c.status;
        header.host_status = c.hostStatus;
        header.driver_status = c.driverStatus;
        EXPECT_EQ(SgResult(c.ioctlResult, header), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace kiro::linux_platform
