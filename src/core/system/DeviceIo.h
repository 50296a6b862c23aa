#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace kiro {

using DeviceHandle = int;
inline constexpr DeviceHandle kNoDevice = -1;

// Direction of a SCSI data transfer, with the values of the pass-through request's DataIn field.
enum class DataDirection : uint8_t { ToDevice = 0, FromDevice = 1, None = 2 };

struct ScsiRequest {
    std::array<uint8_t, 16> commandBlock{};  // always 16 bytes, zero-padded
    DataDirection direction = DataDirection::None;
    uint8_t* buffer = nullptr;  // none when length is 0
    uint32_t length = 0;
    uint32_t timeoutSeconds = 3;
};

// The disk behind an open handle as the system knows it.
struct DeviceAttachment {
    // The serial number the disk reports (its USB serial number); empty when it has none.
    std::string serial;
    // Names this attachment of the disk: it is another once the disk has been unplugged and
    // plugged in again. Empty when the system cannot tell one attachment from the next.
    std::string connection;
};

// Opens disks below the file system and sends them SCSI commands. One backend per system;
// nothing above this interface knows which.
class DeviceIo {
  public:
    virtual ~DeviceIo() = default;
    // Opens the volume of a drive letter, or a disk device path, for reading and writing,
    // shared. Returns kNoDevice when it cannot be opened.
    virtual DeviceHandle OpenVolume(char letter) = 0;
    virtual DeviceHandle OpenPath(const std::string& devicePath) = 0;
    virtual void Close(DeviceHandle handle) = 0;
    // Sends one command. Returns 0 for good status, the negated SCSI status byte for a device
    // status, or a positive system error when the request itself failed.
    virtual int Send(DeviceHandle handle, const ScsiRequest& request) = 0;
    // One attempt to lock or unlock the volume: 0 on success, else a system error.
    virtual int Lock(DeviceHandle handle) = 0;
    virtual int Unlock(DeviceHandle handle) = 0;
    virtual DeviceAttachment AttachmentOf(DeviceHandle handle) = 0;
};

}  // namespace kiro
