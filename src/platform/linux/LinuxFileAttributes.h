#pragma once
#include "core/system/FileAttributes.h"
#include "platform/linux/SystemCalls.h"

namespace kiro::linux_platform {

// The hidden attribute of the FAT file system (the watch's disk), through the FAT driver's
// attribute ioctls; other file systems have none and give false.
class LinuxFileAttributes final : public FileAttributes {
  public:
    explicit LinuxFileAttributes(SystemCalls& calls) : calls_(calls) {}
    bool SetHidden(const std::string& path) override;

  private:
    SystemCalls& calls_;
};

}  // namespace kiro::linux_platform
