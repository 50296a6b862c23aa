#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/system/DeviceIo.h"

namespace kiro::test {

// A DeviceIo that records every open, close and command and answers from a script: opens may
// fail, commands return a set result and copy a set answer into read buffers, and the first
// lock or unlock attempts may fail.
class RecordingDeviceIo final : public DeviceIo {
  public:
    struct SentCommand {
        DeviceHandle handle = kNoDevice;
        std::array<uint8_t, 16> commandBlock{};
        DataDirection direction = DataDirection::None;
        bool hadBuffer = false;
        uint32_t length = 0;
        uint32_t timeoutSeconds = 0;
        std::vector<uint8_t> dataSent;  // what a to-device command carried
    };

    DeviceHandle OpenVolume(char letter) override;
    DeviceHandle OpenPath(const std::string& devicePath) override;
    void Close(DeviceHandle handle) override { closed.push_back(handle); }
    int Send(DeviceHandle handle, const ScsiRequest& request) override;
    int Lock(DeviceHandle handle) override;
    int Unlock(DeviceHandle handle) override;
    DeviceAttachment AttachmentOf(DeviceHandle) override { return attachment; }

    // Script.
    DeviceAttachment attachment;
    bool opens = true;
    int sendResult = 0;
    std::vector<uint8_t> answer;  // copied into read buffers, even when sendResult is not 0
    int lockFailures = 0;         // attempts that fail before one succeeds
    int lockError = 11;

    // Record.
    std::vector<std::string> opened;  // "letter:E" or "path:/dev/sdb"
    std::vector<DeviceHandle> closed;
    std::vector<SentCommand> sent;
    int lockAttempts = 0;

  private:
    DeviceHandle Opened(std::string what);
    DeviceHandle nextHandle_ = 7;
};

}  // namespace kiro::test
