#pragma once
#include <map>
#include <utility>

#include "platform/linux/BlockDevices.h"

namespace kiro::linux_platform::test {

// A table of disks and their partitions.
class FakeBlockDevices final : public BlockDeviceDirectory {
  public:
    // Adds a disk with major 8 and minor 16 × index, and its partitions at the minors after it.
    BlockDisk& AddDisk(int index, bool removable, int partitions = 1) {
        BlockDisk disk;
        disk.number = {8, static_cast<unsigned>(16 * index)};
        disk.node = std::string("/dev/sd") + static_cast<char>('a' + index);
        disk.genericNode = "/dev/sg" + std::to_string(index);
        disk.removable = removable;
        disks_.push_back(disk);
        for (int p = 0; p <= partitions; ++p) partOf_[{8, disk.number.minor + p}] = disks_.size() - 1;
        nodes_[disk.node] = disks_.size() - 1;
        nodes_[disk.node + "1"] = disks_.size() - 1;
        return disks_.back();
    }

    std::optional<BlockDisk> DiskOf(DeviceNumber device) const override {
        const auto found = partOf_.find({device.major, device.minor});
        if (found == partOf_.end()) return std::nullopt;
        return disks_[found->second];
    }
    std::optional<BlockDisk> DiskOfNode(const std::string& path) const override {
        const auto found = nodes_.find(path);
        if (found == nodes_.end()) return std::nullopt;
        return disks_[found->second];
    }
    std::vector<BlockDisk> Disks() const override { return disks_; }

  private:
    std::vector<BlockDisk> disks_;
    std::map<std::pair<unsigned, unsigned>, size_t> partOf_;
    std::map<std::string, size_t> nodes_;
};

}  // namespace kiro::linux_platform::test
