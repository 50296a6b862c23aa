#pragma once
#include <map>
#include <string>

#include "core/system/DeviceIo.h"
#include "core/system/Volumes.h"
#include "platform/win32/Win32Handle.h"

namespace kiro::win32_platform {

// SCSI commands to disks through the system's direct pass-through, on handles opened below the
// file system: a drive letter's volume ("\\.\X:") or a disk's interface path. The system's
// handles stay inside; the program holds small numbers for them, each given once, so that a
// number kept after its Close reaches no other disk. Lock and unlock are the volume lock of the
// file system, which a handle of a whole disk does not have.
class Win32DeviceIo final : public DeviceIo {
  public:
    explicit Win32DeviceIo(const Volumes& volumes) : volumes_(volumes) {}

    // Only a letter the volumes report in use: the device layer opens the same drives the
    // program sees.
    DeviceHandle OpenVolume(char letter) override;
    DeviceHandle OpenPath(const std::string& devicePath) override;
    void Close(DeviceHandle handle) override;
    int Send(DeviceHandle handle, const ScsiRequest& request) override;
    int Lock(DeviceHandle handle) override;
    int Unlock(DeviceHandle handle) override;
    // The serial number the storage driver reports; the connection is the disk's device
    // instance and the moment it last arrived.
    DeviceAttachment AttachmentOf(DeviceHandle handle) override;

  private:
    DeviceHandle Open(const std::string& name);
    // The system handle behind a number; null when the number is not open.
    SystemHandle SystemHandleOf(DeviceHandle handle) const;
    int VolumeControl(DeviceHandle handle, unsigned long code);

    const Volumes& volumes_;
    std::map<DeviceHandle, KernelHandle> open_;
    // Numbers start at 1: a handle field left at zero must not name the first disk opened.
    DeviceHandle lastGiven_ = 0;
};

}  // namespace kiro::win32_platform
