#pragma once
#include <scsi/sg.h>

#include <array>

#include "core/system/DeviceIo.h"
#include "platform/linux/SystemCalls.h"

namespace kiro::linux_platform {

inline constexpr unsigned char kSenseBufferSize = 24;

// One SG_IO request with the command block and sense buffer that its header points into.
// It cannot be copied: the header would keep pointing into the original.
struct SgCommand {
    SgCommand() = default;
    SgCommand(const SgCommand&) = delete;
    SgCommand& operator=(const SgCommand&) = delete;

    sg_io_hdr_t header{};
    std::array<unsigned char, 16> commandBlock{};
    std::array<unsigned char, kSenseBufferSize> sense{};
};

// Fills the header for a request: interface 'S', all 16 bytes of the command block, the
// direction (none, from device, to device), the caller's buffer and the time-out in ms.
void PrepareSgCommand(const ScsiRequest& request, SgCommand& command);

// The result of a finished SG_IO call in the transport's terms: 0 for good status, the
// negated SCSI status, or a positive errno. A command that the adapter or driver gave up on
// (time-out, device gone) is an error even though no SCSI status came back.
int SgResult(int ioctlResult, const sg_io_hdr_t& header);

// Sends one request through SG_IO on an open descriptor.
int SendSgCommand(SystemCalls& calls, int fd, const ScsiRequest& request);

}  // namespace kiro::linux_platform
