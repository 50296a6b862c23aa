#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "core/system/DeviceIo.h"

namespace kiro {

class Clock;

// The result of a command that could not be sent at all: the device did not open, no device
// is held, or the command block is longer than the 16 bytes a request carries.
inline constexpr int kCommandNotSent = -1;

// Sends one SCSI command block to an open device. The block travels as 16 bytes, zero-padded;
// a transfer length of 0 sends no buffer and no direction. Returns 0 for good status, the
// negated SCSI status byte for a device status, a positive system error when the request
// failed, or kCommandNotSent.
int ScsiPassThrough(DeviceIo& io, DeviceHandle handle, std::span<const uint8_t> commandBlock, bool toDevice,
                    uint8_t* buffer, uint32_t length, uint32_t timeoutSeconds);
// The same through a drive letter's volume or a disk device path: opened for this one
// command and closed again whatever the result.
int ScsiPassThrough(DeviceIo& io, char letter, std::span<const uint8_t> commandBlock, bool toDevice,
                    uint8_t* buffer, uint32_t length, uint32_t timeoutSeconds);
int ScsiPassThrough(DeviceIo& io, const std::string& devicePath, std::span<const uint8_t> commandBlock,
                    bool toDevice, uint8_t* buffer, uint32_t length, uint32_t timeoutSeconds);

// Lock and unlock of the watch volume, up to three attempts each. A busy volume is often
// released a moment later (a file manager finishing its scan), so every failed attempt is
// followed by a 200 ms wait, the last one too. Returns 0 at the first success, else the
// error of the last attempt.
int LockVolume(DeviceIo& io, Clock& clock, DeviceHandle handle);
int UnlockVolume(DeviceIo& io, Clock& clock, DeviceHandle handle);

}  // namespace kiro
