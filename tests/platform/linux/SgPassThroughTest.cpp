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

TEST(SgPassThroughTest, HeaderForEachDirection) {
    uint8_t buffer[512] = {};
    struct Case {
        DataDirection direction;
        uint32_t length;
        int expectedDirection;
    };
    for (const Case& c :
         {Case{DataDirection::FromDevice, 512, SG_DXFER_FROM_DEV},
          Case{DataDirection::ToDevice, 256, SG_DXFER_TO_DEV}, Case{DataDirection::None, 0, SG_DXFER_NONE}}) {
        ScsiRequest request;
        request.commandBlock = {0xFE, 0x02, 0x00, 0x00, 0x0E};
        request.direction = c.direction;
        request.buffer = c.length ? buffer : nullptr;
        request.length = c.length;
        request.timeoutSeconds = 10;
        const SeenByKernel seen = SendAndCapture(request);
        EXPECT_EQ(seen.header.interface_id, 'S');
        EXPECT_EQ(seen.header.dxfer_direction, c.expectedDirection);
        EXPECT_EQ(seen.header.dxfer_len, c.length);
        EXPECT_EQ(seen.header.dxferp, c.length ? buffer : nullptr);
        EXPECT_EQ(seen.header.timeout, 10000u);
        EXPECT_EQ(seen.header.mx_sb_len, 24);
        EXPECT_NE(seen.header.sbp, nullptr);
        EXPECT_EQ(seen.commandBlock, (std::vector<unsigned char>{0xFE, 0x02, 0x00, 0x00, 0x0E, 0, 0, 0, 0, 0,
                                                                 0, 0, 0, 0, 0, 0}));
    }
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
