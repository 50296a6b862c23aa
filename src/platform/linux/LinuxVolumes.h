#pragma once
#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/system/Volumes.h"
#include "platform/linux/BlockDevices.h"
#include "platform/linux/MountInfo.h"

namespace kiro::linux_platform {

// What changed in the mount table since the last look: letters given and taken back.
struct VolumeChanges {
    uint32_t arrived = 0;
    uint32_t removed = 0;
    bool mountsChanged = false;
};

// Drive letters for the volumes of removable disks. Each mounted removable volume gets the
// lowest free letter from D to Z when it is first seen and keeps it while it stays mounted;
// A, B and C are never given, so the watch search, which starts at D, sees every one.
// The letters change only in Refresh, so that they always agree with the device events
// delivered from it.
class LinuxVolumes final : public Volumes {
  public:
    LinuxVolumes(const BlockDeviceDirectory& devices, std::string mountInfoPath = "/proc/self/mountinfo");

    // Re-reads the mount table.
    VolumeChanges Refresh();
    VolumeChanges Refresh(const std::vector<MountEntry>& mounts);

    // The mount behind a letter, for opening its disk.
    std::optional<MountEntry> VolumeOf(char letter) const;

    uint32_t LogicalDrives() const override;
    DriveType TypeOf(char letter) const override;
    DriveType TypeOfPath(const std::string& devicePath) const override;
    std::string RootOf(char letter) const override;
    bool SpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes) const override;
    std::vector<std::string> UnmountedDiskPaths() const override;

  private:
    const BlockDeviceDirectory& devices_;
    std::string mountInfoPath_;
    std::vector<MountEntry> mounts_;
    std::array<std::optional<MountEntry>, 26> letters_{};
    std::set<std::pair<unsigned, unsigned>> mountedDisks_;
};

}  // namespace kiro::linux_platform
