#include "platform/sim/FakeVolumes.h"

#include <algorithm>
#include <filesystem>

namespace kiro::sim {

char FakeVolumes::Mount(const std::string& root) {
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        if (drives_[letter - 'A'].root.empty()) {
            MountAt(letter, root, DriveType::Removable);
            return letter;
        }
    }
    return 0;
}

void FakeVolumes::MountAt(char letter, const std::string& root, DriveType type) {
    if (letter < 'A' || letter > 'Z') return;
    drives_[letter - 'A'] = {root, type};
}

void FakeVolumes::Unmount(char letter) {
    if (letter >= 'A' && letter <= 'Z') drives_[letter - 'A'] = {};
}

void FakeVolumes::AddUnmountedDisk(const std::string& devicePath) {
    unmountedDisks_.push_back(devicePath);
}

void FakeVolumes::RemoveUnmountedDisk(const std::string& devicePath) {
    std::erase(unmountedDisks_, devicePath);
}

const FakeVolumes::Drive* FakeVolumes::DriveOf(char letter) const {
    if (letter < 'A' || letter > 'Z' || drives_[letter - 'A'].root.empty()) return nullptr;
    return &drives_[letter - 'A'];
}

uint32_t FakeVolumes::LogicalDrives() const {
    uint32_t mask = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (DriveOf(letter)) mask |= LetterBit(letter);
    return mask;
}

DriveType FakeVolumes::TypeOf(char letter) const {
    const Drive* drive = DriveOf(letter);
    return drive ? drive->type : DriveType::NoRootDir;
}

DriveType FakeVolumes::TypeOfPath(const std::string& devicePath) const {
    for (const Drive& drive : drives_)
        if (!drive.root.empty() && drive.root == devicePath) return drive.type;
    return DriveType::NoRootDir;
}

std::string FakeVolumes::RootOf(char letter) const {
    const Drive* drive = DriveOf(letter);
    return drive ? drive->root : std::string();
}

bool FakeVolumes::SpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes) const {
    const Drive* drive = DriveOf(letter);
    if (!drive) return false;
    std::error_code error;
    const auto space = std::filesystem::space(drive->root, error);
    if (error) return false;
    totalBytes = space.capacity;
    freeBytes = space.available;
    return true;
}

}  // namespace kiro::sim
