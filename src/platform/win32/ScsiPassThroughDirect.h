#pragma once
// The pass-through header needs the base types of the system header before it.
#include <windows.h>

#include <ntddscsi.h>

#include <functional>

#include "core/system/DeviceIo.h"

namespace kiro::win32_platform {

inline constexpr UCHAR kSenseBytes = 32;

// One direct pass-through request as the system takes it: its fixed structure, then the sense
// bytes that the structure points at by offset, starting on a whole DWORD.
struct ScsiPassThroughDirectRequest {
    SCSI_PASS_THROUGH_DIRECT header;
    ULONG senseAlignment;
    UCHAR sense[kSenseBytes];
};

// Fills the request: the structure's own length, all 16 bytes of the command block, the
// direction (out, in, none), the caller's buffer and length, the time-out in seconds and the
// sense bytes. A request without a buffer or length transfers nothing in either direction.
void PrepareScsiPassThroughDirect(const ScsiRequest& request, ScsiPassThroughDirectRequest& command);

// A system error as the transport reports it: an error number that is 0 or does not fit a
// positive int would read as success or as a device status, so it becomes a general failure.
int ReportedSystemError(DWORD error);

// The result of a request in the transport's terms: the positive system error of a call that
// failed, the negated SCSI status the device answered with, or 0 for good status.
int ScsiPassThroughDirectResult(int callResult, const ScsiPassThroughDirectRequest& command);

// Hands a filled request to the driver: 0 when the driver took it, else a positive system error.
using PassThroughCall = std::function<int(ScsiPassThroughDirectRequest& command)>;

// Sends one request through `call`. The disks are opened without buffering, which takes data
// buffers only at the adapter's alignment; a caller's buffer that does not start on a page goes
// through a page-aligned copy, filled before a transfer to the device and copied back, as far as
// the device filled it, after a transfer from it.
int SendScsiPassThroughDirect(const ScsiRequest& request, const PassThroughCall& call);

}  // namespace kiro::win32_platform
