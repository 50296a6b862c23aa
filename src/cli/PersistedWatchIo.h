#pragma once
#include <string>

#include "core/system/DeviceIo.h"
#include "platform/sim/DeviceModeWatch.h"

namespace kiro::cli {

// The device commands of a simulated watch whose state lives in a file: the state is saved after
// every command, as a real watch keeps what it has handed over whatever becomes of the program
// that asked, killed or not.
class PersistedWatchIo final : public DeviceIo {
  public:
    PersistedWatchIo(DeviceIo& real, const sim::DeviceModeWatch& watch, std::string statePath)
        : real_(real), watch_(watch), statePath_(std::move(statePath)) {}

    DeviceHandle OpenVolume(char letter) override { return real_.OpenVolume(letter); }
    DeviceHandle OpenPath(const std::string& devicePath) override { return real_.OpenPath(devicePath); }
    void Close(DeviceHandle handle) override { real_.Close(handle); }
    int Send(DeviceHandle handle, const ScsiRequest& request) override {
        const int result = real_.Send(handle, request);
        if (!statePath_.empty()) watch_.SaveState(statePath_);
        return result;
    }
    int Lock(DeviceHandle handle) override { return real_.Lock(handle); }
    int Unlock(DeviceHandle handle) override { return real_.Unlock(handle); }
    DeviceAttachment AttachmentOf(DeviceHandle handle) override { return real_.AttachmentOf(handle); }

  private:
    DeviceIo& real_;
    const sim::DeviceModeWatch& watch_;
    std::string statePath_;
};

}  // namespace kiro::cli
