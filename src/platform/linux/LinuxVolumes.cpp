#include "platform/linux/LinuxVolumes.h"

#include <sys/statvfs.h>

#include <algorithm>

namespace kiro::linux_platform {

namespace {

constexpr char kFirstLetter = 'D';

}  // namespace

LinuxVolumes::LinuxVolumes(const BlockDeviceDirectory& devices, std::string mountInfoPath)
    : devices_(devices), mountInfoPath_(std::move(mountInfoPath)) {
    Refresh();
}

VolumeChanges LinuxVolumes::Refresh() {
    return Refresh(ParseMountInfo(ReadWholeFile(mountInfoPath_)));
}

VolumeChanges LinuxVolumes::Refresh(const std::vector<MountEntry>& mounts) {
    VolumeChanges changes;
    changes.mountsChanged = mounts != mounts_;
    mounts_ = mounts;

    mountedDisks_.clear();
    std::vector<const MountEntry*> removable;
    for (const MountEntry& mount : mounts_) {
        const auto disk = devices_.DiskOf(mount.device);
        if (disk) mountedDisks_.insert({disk->number.major, disk->number.minor});
        // The same volume mounted twice keeps one letter, the first mount's; a bind mount of a
        // folder inside a volume is not a volume of its own.
        const bool seen = std::any_of(removable.begin(), removable.end(),
                                      [&](const MountEntry* other) { return other->device == mount.device; });
        if (!seen && mount.root == "/" && disk && disk->removable) removable.push_back(&mount);
    }

    for (char letter = kFirstLetter; letter <= 'Z'; ++letter) {
        auto& held = letters_[letter - 'A'];
        if (!held) continue;
        const auto still = std::find_if(removable.begin(), removable.end(), [&](const MountEntry* mount) {
            return mount->mountId == held->mountId;
        });
        if (still == removable.end()) {
            held.reset();
            changes.removed |= LetterBit(letter);
        } else {
            held = **still;  // same mount, fresher details
        }
    }
    for (const MountEntry* mount : removable) {
        const bool lettered = std::any_of(letters_.begin(), letters_.end(), [&](const auto& held) {
            return held && held->mountId == mount->mountId;
        });
        if (lettered) continue;
        for (char letter = kFirstLetter; letter <= 'Z'; ++letter) {
            if (letters_[letter - 'A']) continue;
            letters_[letter - 'A'] = *mount;
            changes.arrived |= LetterBit(letter);
            break;
        }
    }
    return changes;
}

std::optional<MountEntry> LinuxVolumes::VolumeOf(char letter) const {
    if (letter < 'A' || letter > 'Z') return std::nullopt;
    return letters_[letter - 'A'];
}

uint32_t LinuxVolumes::LogicalDrives() const {
    uint32_t mask = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (letters_[letter - 'A']) mask |= LetterBit(letter);
    return mask;
}

DriveType LinuxVolumes::TypeOf(char letter) const {
    return VolumeOf(letter) ? DriveType::Removable : DriveType::NoRootDir;
}

DriveType LinuxVolumes::TypeOfPath(const std::string& devicePath) const {
    for (const auto& held : letters_)
        if (held && held->mountPoint == devicePath) return DriveType::Removable;
    for (const MountEntry& mount : mounts_)
        if (mount.mountPoint == devicePath) return DriveType::Fixed;
    return DriveType::NoRootDir;
}

std::string LinuxVolumes::RootOf(char letter) const {
    const auto volume = VolumeOf(letter);
    return volume ? volume->mountPoint : std::string();
}

bool LinuxVolumes::SpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes) const {
    const auto volume = VolumeOf(letter);
    struct statvfs space {};
    if (!volume || statvfs(volume->mountPoint.c_str(), &space) != 0) return false;
    totalBytes = static_cast<uint64_t>(space.f_blocks) * space.f_frsize;
    freeBytes = static_cast<uint64_t>(space.f_bavail) * space.f_frsize;
    return true;
}

std::vector<std::string> LinuxVolumes::UnmountedDiskPaths() const {
    std::vector<std::string> paths;
    for (const BlockDisk& disk : devices_.Disks())
        if (disk.removable && !mountedDisks_.count({disk.number.major, disk.number.minor}))
            paths.push_back(disk.node);
    return paths;
}

}  // namespace kiro::linux_platform
