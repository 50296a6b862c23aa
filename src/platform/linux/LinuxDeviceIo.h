#pragma once
#include <map>

#include "core/system/DeviceIo.h"
#include "platform/linux/BlockDevices.h"
#include "platform/linux/LinuxVolumes.h"
#include "platform/linux/SystemCalls.h"

namespace kiro::linux_platform {

// SCSI commands to disks through SG_IO. The kernel refuses vendor commands (opcode FE) on a
// block node to users without CAP_SYS_RAWIO, so a disk is opened through its SCSI generic
// node first (the udev rule of the package gives the desktop user that node); the block node
// of the whole disk is the fall-back, read-write and then read-only, which still carries
// INQUIRY. Lock and unlock are an advisory exclusive flock: Linux has no volume lock.
class LinuxDeviceIo final : public DeviceIo {
  public:
    LinuxDeviceIo(SystemCalls& calls, const LinuxVolumes& volumes, const BlockDeviceDirectory& devices)
        : calls_(calls), volumes_(volumes), devices_(devices) {}

    DeviceHandle OpenVolume(char letter) override;
    // A disk node ("/dev/sdb", or a partition of it) or a SCSI generic node ("/dev/sg2").
    DeviceHandle OpenPath(const std::string& devicePath) override;
    void Close(DeviceHandle handle) override;
    int Send(DeviceHandle handle, const ScsiRequest& request) override;
    int Lock(DeviceHandle handle) override;
    int Unlock(DeviceHandle handle) override;
    DeviceAttachment AttachmentOf(DeviceHandle handle) override;

  private:
    DeviceHandle OpenDisk(const BlockDisk& disk);

    SystemCalls& calls_;
    const LinuxVolumes& volumes_;
    const BlockDeviceDirectory& devices_;
    // The attachment of every disk opened, by its handle.
    std::map<DeviceHandle, DeviceAttachment> attachments_;
};

}  // namespace kiro::linux_platform
