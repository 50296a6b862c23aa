#pragma once
#include <string>
#include <vector>

#include "core/system/Volumes.h"

namespace kiro::win32_platform {

// Only the upper-case letters A to Z name drives; anything else would shift LetterBit out of
// the 26-bit mask.
bool IsDriveLetter(char letter);

// The name that opens the volume behind a letter below its file system ("\\.\X:").
std::string VolumeDeviceName(char letter);

// While one lives, the calling thread gets errors in place of the system's "there is no disk in
// the drive" box: a card reader with an empty slot still has a letter, and asking it for its
// free space or opening it must not stop the program on a modal box.
class QuietDriveErrors {
  public:
    QuietDriveErrors();
    ~QuietDriveErrors();
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

  private:
    unsigned long previousMode_ = 0;
    bool changed_ = false;
};

// The drive letters of the machine as Windows gives them. A letter's root is "X:", so that the
// program's "root + '/' + name" paths name files at the top of the volume.
class Win32Volumes final : public Volumes {
  public:
    uint32_t LogicalDrives() const override;
    DriveType TypeOf(char letter) const override;
    DriveType TypeOfPath(const std::string& devicePath) const override;
    std::string RootOf(char letter) const override;
    bool SpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes) const override;
    // The disks of the disk interface class whose media is removable and none of whose volumes
    // has a letter, as the device interface paths that open them.
    std::vector<std::string> UnmountedDiskPaths() const override;
};

}  // namespace kiro::win32_platform
