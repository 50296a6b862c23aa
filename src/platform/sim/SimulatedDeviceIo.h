#pragma once
#include <map>
#include <string>

#include "core/system/DeviceIo.h"
#include "platform/sim/DeviceModeWatch.h"

namespace kiro::sim {

// The disks below the file system as a test sets them up: device-mode watches reachable by
// drive letter or device path. Other letters and paths do not open, as a disk that refuses
// pass-through. Locks behave like the Linux adapter's advisory locks: one holder at a time,
// released by unlock or close.
class SimulatedDeviceIo final : public DeviceIo {
  public:
    void Attach(char letter, DeviceModeWatch& watch) { byLetter_[letter] = &watch; }
    void Attach(const std::string& devicePath, DeviceModeWatch& watch) { byPath_[devicePath] = &watch; }
    // Unplugging the watch at a letter or path: handles still open to it fail from now on.
    void Detach(char letter);
    void Detach(const std::string& devicePath);
    // The next `count` lock attempts fail as if another program held the volume.
    void FailNextLocks(int count) { failingLocks_ = count; }

    DeviceHandle OpenVolume(char letter) override;
    DeviceHandle OpenPath(const std::string& devicePath) override;
    void Close(DeviceHandle handle) override;
    int Send(DeviceHandle handle, const ScsiRequest& request) override;
    int Lock(DeviceHandle handle) override;
    int Unlock(DeviceHandle handle) override;
    // The watch's serial number, and its connection counted by the watch.
    DeviceAttachment AttachmentOf(DeviceHandle handle) override;

    int OpenHandles() const { return static_cast<int>(handles_.size()); }
    int CommandsSent() const { return commandsSent_; }

  private:
    struct OpenDevice {
        DeviceModeWatch* watch = nullptr;  // null once the watch was unplugged
        bool locked = false;
    };
    DeviceHandle Open(DeviceModeWatch* watch);
    void DetachWatch(const DeviceModeWatch* watch);
    OpenDevice* Find(DeviceHandle handle);

    std::map<char, DeviceModeWatch*> byLetter_;
    std::map<std::string, DeviceModeWatch*> byPath_;
    std::map<DeviceHandle, OpenDevice> handles_;
    DeviceHandle nextHandle_ = 3;
    int failingLocks_ = 0;
    int commandsSent_ = 0;
};

}  // namespace kiro::sim
