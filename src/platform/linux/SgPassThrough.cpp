#include "platform/linux/SgPassThrough.h"

#include <errno.h>

#include <algorithm>

namespace kiro::linux_platform {

namespace {

// Host and driver codes of the SCSI midlayer that mean a time-out.
constexpr unsigned short kHostTimeOut = 0x03;
constexpr unsigned short kDriverTimeOut = 0x06;
// The low bits of the driver status say what went wrong; 0x08 (sense data present) alone
// comes with a SCSI status and is reported through it.
constexpr unsigned short kDriverErrorBits = 0x07;

int TransferDirection(DataDirection direction) {
    switch (direction) {
        case DataDirection::ToDevice:
            return SG_DXFER_TO_DEV;
        case DataDirection::FromDevice:
            return SG_DXFER_FROM_DEV;
        case DataDirection::None:
            break;
    }
    return SG_DXFER_NONE;
}

}  // namespace

void PrepareSgCommand(const ScsiRequest& request, SgCommand& command) {
    std::copy(request.commandBlock.begin(), request.commandBlock.end(), command.commandBlock.begin());
    sg_io_hdr_t& header = command.header;
    header = {};
    header.interface_id = 'S';
    header.cmd_len = static_cast<unsigned char>(command.commandBlock.size());
    header.cmdp = command.commandBlock.data();
    header.mx_sb_len = kSenseBufferSize;
    header.sbp = command.sense.data();
    const bool transfers = request.direction != DataDirection::None && request.length > 0 && request.buffer;
    header.dxfer_direction = transfers ? TransferDirection(request.direction) : SG_DXFER_NONE;
    header.dxfer_len = transfers ? request.length : 0;
    header.dxferp = transfers ? request.buffer : nullptr;
    header.timeout = request.timeoutSeconds * 1000;
}

int SgResult(int ioctlResult, const sg_io_hdr_t& header) {
    if (ioctlResult < 0) return -ioctlResult;
    if (header.status != 0) return -static_cast<int>(header.status);
    if (header.host_status == kHostTimeOut || (header.driver_status & kDriverErrorBits) == kDriverTimeOut)
        return ETIMEDOUT;
    if (header.host_status != 0 || (header.driver_status & kDriverErrorBits) != 0) return EIO;
    return 0;
}

int SendSgCommand(SystemCalls& calls, int fd, const ScsiRequest& request) {
    SgCommand command;
    PrepareSgCommand(request, command);
    const int result = calls.Ioctl(fd, SG_IO, &command.header);
    return SgResult(result, command.header);
}

}  // namespace kiro::linux_platform
