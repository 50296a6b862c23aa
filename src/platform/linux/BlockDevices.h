#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/MountInfo.h"

namespace kiro::linux_platform {

// A whole disk as the volume and command adapters need to know it.
struct BlockDisk {
    DeviceNumber number;
    std::string node;         // "/dev/sdb"
    std::string genericNode;  // "/dev/sg2"; empty when the disk has no SCSI generic node
    bool removable = false;
    // What the device adapter tells of the disk's attachment (see DeviceAttachment): the USB
    // serial number, and the boot, the kernel's sequence number of the disk (which changes at
    // every attach) and the USB bus and device number together.
    std::string serial;
    std::string connection;
};

// The machine's block devices (udev on a real machine, a table in tests).
class BlockDeviceDirectory {
  public:
    virtual ~BlockDeviceDirectory() = default;
    // The disk that holds a block device: the device itself, or the disk of a partition.
    virtual std::optional<BlockDisk> DiskOf(DeviceNumber device) const = 0;
    // The same for a device node ("/dev/sdb1"); nothing when the path is not a block device.
    virtual std::optional<BlockDisk> DiskOfNode(const std::string& path) const = 0;
    virtual std::vector<BlockDisk> Disks() const = 0;
};

// A disk counts as removable only when the kernel marks it so (its sysfs "removable" is 1), as
// Windows reports a drive removable: an external USB hard disk is a fixed disk there, and its
// date-named text files must never be taken for a watch's day files and deleted. The watch
// itself declares a removable medium.
bool CountsAsRemovable(const std::string& removableFlag);

// The name of one attachment of a disk from the boot's id, the disk's sequence number and its USB
// "bus-device" number; empty when neither number is known, as nothing then tells one attachment
// from the next.
std::string AttachmentName(const std::string& bootId, const std::string& diskSequence,
                           const std::string& usbNumber);

// The /dev node of the SCSI generic device of a disk, from <disk sysfs path>/device/scsi_generic.
std::string ScsiGenericNodeOf(const std::string& diskSysPath);

}  // namespace kiro::linux_platform
