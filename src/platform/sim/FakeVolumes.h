#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/system/Volumes.h"

namespace kiro::sim {

// Drive letters that a test mounts on folders of its own, and disk device paths without a
// volume. Free space is the free space of the folder's file system.
class FakeVolumes final : public Volumes {
  public:
    // Gives the folder the lowest free letter from D to Z as a removable disk, as the Linux
    // adapter does; returns 0 when all are taken.
    char Mount(const std::string& root);
    // Any letter, any drive type: for the drives a Linux machine never shows (C, fixed disks).
    void MountAt(char letter, const std::string& root, DriveType type);
    void Unmount(char letter);
    void AddUnmountedDisk(const std::string& devicePath);
    void RemoveUnmountedDisk(const std::string& devicePath);

    uint32_t LogicalDrives() const override;
    DriveType TypeOf(char letter) const override;
    DriveType TypeOfPath(const std::string& devicePath) const override;
    std::string RootOf(char letter) const override;
    bool SpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes) const override;
    std::vector<std::string> UnmountedDiskPaths() const override { return unmountedDisks_; }

  private:
    struct Drive {
        std::string root;  // empty: letter not in use
        DriveType type = DriveType::NoRootDir;
    };
    const Drive* DriveOf(char letter) const;

    std::array<Drive, 26> drives_{};
    std::vector<std::string> unmountedDisks_;
};

}  // namespace kiro::sim
