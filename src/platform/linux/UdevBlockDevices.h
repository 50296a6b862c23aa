#pragma once
#include "platform/linux/BlockDevices.h"

struct udev;
struct udev_device;

namespace kiro::linux_platform {

// Block devices as udev knows them (its database where udevd runs, sysfs otherwise).
class UdevBlockDevices final : public BlockDeviceDirectory {
  public:
    UdevBlockDevices();
    ~UdevBlockDevices() override;
    UdevBlockDevices(const UdevBlockDevices&) = delete;
    UdevBlockDevices& operator=(const UdevBlockDevices&) = delete;

    std::optional<BlockDisk> DiskOf(DeviceNumber device) const override;
    std::optional<BlockDisk> DiskOfNode(const std::string& path) const override;
    std::vector<BlockDisk> Disks() const override;

  private:
    std::optional<BlockDisk> Describe(udev_device* device) const;
    void DescribeAttachment(udev_device* disk, BlockDisk& facts) const;

    udev* udev_ = nullptr;
    std::string bootId_;
};

}  // namespace kiro::linux_platform
