#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kiro {

// Kinds of drive, with the values of the Windows drive types the program was designed on.
enum class DriveType {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6
};

inline constexpr uint32_t LetterBit(char letter) {
    return 1u << (letter - 'A');
}

// The disks of the machine as drive letters. On Linux the adapter gives each mounted removable
// volume a letter from D to Z; a removable disk without a mounted volume is reachable only by
// its device path.
class Volumes {
  public:
    virtual ~Volumes() = default;
    // Letters in use as a 26-bit mask, bit 0 = A.
    virtual uint32_t LogicalDrives() const = 0;
    virtual DriveType TypeOf(char letter) const = 0;
    // A device path (not a mounted folder) is NoRootDir, as on Windows.
    virtual DriveType TypeOfPath(const std::string& devicePath) const = 0;
    // The folder where the letter's volume is mounted; empty when the letter is not in use.
    virtual std::string RootOf(char letter) const = 0;
    // Total and free bytes of the letter's volume; false when unknown.
    virtual bool SpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes) const = 0;
    // Device paths of removable disks that have no mounted volume.
    virtual std::vector<std::string> UnmountedDiskPaths() const = 0;
};

}  // namespace kiro
