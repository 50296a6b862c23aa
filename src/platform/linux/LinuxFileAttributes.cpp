#include "platform/linux/LinuxFileAttributes.h"

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>

#include <cstdint>

namespace kiro::linux_platform {

bool LinuxFileAttributes::SetHidden(const std::string& path) {
    // The FAT driver takes the attribute change on a read-only descriptor too.
    const int fd = calls_.Open(path, O_RDONLY);
    if (fd < 0) return false;
    // Read first: the directory and archive bits must be written back as they are.
    uint32_t attributes = 0;
    bool hidden = calls_.Ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) >= 0;
    if (hidden) {
        attributes |= ATTR_HIDDEN;
        hidden = calls_.Ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &attributes) >= 0;
    }
    calls_.Close(fd);
    return hidden;
}

}  // namespace kiro::linux_platform
