#include "core/watch/ScsiTransport.h"

#include <algorithm>

#include "core/system/Clock.h"

namespace kiro {

namespace {

constexpr int kVolumeAttempts = 3;
constexpr uint32_t kRetryWaitMs = 200;

bool BuildRequest(std::span<const uint8_t> commandBlock, bool toDevice, uint8_t* buffer, uint32_t length,
                  uint32_t timeoutSeconds, ScsiRequest& request) {
    if (commandBlock.size() > request.commandBlock.size()) return false;
    std::copy(commandBlock.begin(), commandBlock.end(), request.commandBlock.begin());
    request.length = length;
    request.timeoutSeconds = timeoutSeconds;
    if (length == 0) {
        request.direction = DataDirection::None;
        request.buffer = nullptr;
    } else {
        request.direction = toDevice ? DataDirection::ToDevice : DataDirection::FromDevice;
        request.buffer = buffer;
    }
    return true;
}

template <typename Opener>
int SendThroughFreshHandle(DeviceIo& io, Opener open, std::span<const uint8_t> commandBlock, bool toDevice,
                           uint8_t* buffer, uint32_t length, uint32_t timeoutSeconds) {
    // The block is checked before anything is opened: a bad block must not touch the device.
    ScsiRequest request;
    if (!BuildRequest(commandBlock, toDevice, buffer, length, timeoutSeconds, request))
        return kCommandNotSent;
    const DeviceHandle handle = open();
    if (handle == kNoDevice) return kCommandNotSent;
    const int result = io.Send(handle, request);
    io.Close(handle);
    return result;
}

template <typename Attempt>
int WithRetries(Clock& clock, Attempt attempt) {
    int error = 0;
    for (int i = 0; i < kVolumeAttempts; ++i) {
        error = attempt();
        if (error == 0) return 0;
        clock.Sleep(kRetryWaitMs);
    }
    return error;
}

}  // namespace

int ScsiPassThrough(DeviceIo& io, DeviceHandle handle, std::span<const uint8_t> commandBlock, bool toDevice,
                    uint8_t* buffer, uint32_t length, uint32_t timeoutSeconds) {
    ScsiRequest request;
    if (!BuildRequest(commandBlock, toDevice, buffer, length, timeoutSeconds, request))
        return kCommandNotSent;
    // A handle of "none" (a watch that went away) is not handed to the system as a descriptor.
    if (handle == kNoDevice) return kCommandNotSent;
    return io.Send(handle, request);
}

int ScsiPassThrough(DeviceIo& io, char letter, std::span<const uint8_t> commandBlock, bool toDevice,
                    uint8_t* buffer, uint32_t length, uint32_t timeoutSeconds) {
    return SendThroughFreshHandle(
        io, [&] { return io.OpenVolume(letter); }, commandBlock, toDevice, buffer, length, timeoutSeconds);
}

int ScsiPassThrough(DeviceIo& io, const std::string& devicePath, std::span<const uint8_t> commandBlock,
                    bool toDevice, uint8_t* buffer, uint32_t length, uint32_t timeoutSeconds) {
    return SendThroughFreshHandle(
        io, [&] { return io.OpenPath(devicePath); }, commandBlock, toDevice, buffer, length, timeoutSeconds);
}

int LockVolume(DeviceIo& io, Clock& clock, DeviceHandle handle) {
    return WithRetries(clock, [&] { return io.Lock(handle); });
}

int UnlockVolume(DeviceIo& io, Clock& clock, DeviceHandle handle) {
    return WithRetries(clock, [&] { return io.Unlock(handle); });
}

}  // namespace kiro
