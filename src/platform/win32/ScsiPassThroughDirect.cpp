#include "platform/win32/ScsiPassThroughDirect.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

namespace kiro::win32_platform {

namespace {

// The driver reads the request at these places whatever the headers say: a header that laid it
// out otherwise would send the device a garbled command.
constexpr bool kWide = sizeof(void*) == 8;
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Length) == 0);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, ScsiStatus) == 2);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, PathId) == 3);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, TargetId) == 4);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Lun) == 5);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, CdbLength) == 6);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoLength) == 7);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataIn) == 8);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataTransferLength) == 12);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, TimeOutValue) == 16);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataBuffer) == (kWide ? 24 : 20));
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoOffset) == (kWide ? 32 : 24));
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Cdb) == (kWide ? 36 : 28));
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT::Cdb) == sizeof(ScsiRequest::commandBlock));
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT) == (kWide ? 56 : 44));
static_assert(offsetof(ScsiPassThroughDirectRequest, sense) == (kWide ? 60 : 48));
static_assert(sizeof(ScsiPassThroughDirectRequest) == (kWide ? 96 : 80));

static_assert(static_cast<UCHAR>(DataDirection::ToDevice) == SCSI_IOCTL_DATA_OUT);
static_assert(static_cast<UCHAR>(DataDirection::FromDevice) == SCSI_IOCTL_DATA_IN);
static_assert(static_cast<UCHAR>(DataDirection::None) == SCSI_IOCTL_DATA_UNSPECIFIED);

bool Transfers(const ScsiRequest& request) {
    return request.direction != DataDirection::None && request.length > 0 && request.buffer;
}

size_t PageSize() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwPageSize;
}

// Whole pages of memory, which start on a page and are zero when given.
class PageAlignedCopy {
  public:
    explicit PageAlignedCopy(uint32_t length)
        : data_(static_cast<uint8_t*>(
              VirtualAlloc(nullptr, length, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
    ~PageAlignedCopy() {
        if (data_) VirtualFree(data_, 0, MEM_RELEASE);
    }
    PageAlignedCopy(const PageAlignedCopy&) = delete;
    PageAlignedCopy& operator=(const PageAlignedCopy&) = delete;

    uint8_t* Data() const { return data_; }

  private:
    uint8_t* data_;
};

}  // namespace

void PrepareScsiPassThroughDirect(const ScsiRequest& request, ScsiPassThroughDirectRequest& command) {
    command = {};
    SCSI_PASS_THROUGH_DIRECT& header = command.header;
    header.Length = sizeof header;
    header.CdbLength = static_cast<UCHAR>(request.commandBlock.size());
    std::copy(request.commandBlock.begin(), request.commandBlock.end(), header.Cdb);
    header.SenseInfoLength = kSenseBytes;
    header.SenseInfoOffset = offsetof(ScsiPassThroughDirectRequest, sense);
    const bool transfers = Transfers(request);
    header.DataIn = static_cast<UCHAR>(transfers ? request.direction : DataDirection::None);
    header.DataTransferLength = transfers ? request.length : 0;
    header.DataBuffer = transfers ? request.buffer : nullptr;
    header.TimeOutValue = request.timeoutSeconds;
}

int ReportedSystemError(DWORD error) {
    if (error == ERROR_SUCCESS || error > static_cast<DWORD>(INT_MAX)) return ERROR_GEN_FAILURE;
    return static_cast<int>(error);
}

int ScsiPassThroughDirectResult(int callResult, const ScsiPassThroughDirectRequest& command) {
    if (callResult != 0) return callResult;
    return -static_cast<int>(command.header.ScsiStatus);
}

int SendScsiPassThroughDirect(const ScsiRequest& request, const PassThroughCall& call) {
    std::optional<PageAlignedCopy> copy;
    ScsiRequest sent = request;
    if (Transfers(request) && reinterpret_cast<uintptr_t>(request.buffer) % PageSize() != 0) {
        copy.emplace(request.length);
        if (!copy->Data()) return ReportedSystemError(GetLastError());
        if (request.direction == DataDirection::ToDevice)
            std::memcpy(copy->Data(), request.buffer, request.length);
        sent.buffer = copy->Data();
    }

    ScsiPassThroughDirectRequest command;
    PrepareScsiPassThroughDirect(sent, command);
    const int callResult = call(command);
    // The driver leaves the count of bytes moved in the transfer length: a short answer leaves
    // the rest of the caller's buffer as it was, as a direct transfer into it would.
    if (copy && callResult == 0 && request.direction == DataDirection::FromDevice)
        std::memcpy(request.buffer, copy->Data(),
                    std::min<ULONG>(command.header.DataTransferLength, request.length));
    return ScsiPassThroughDirectResult(callResult, command);
}

}  // namespace kiro::win32_platform
