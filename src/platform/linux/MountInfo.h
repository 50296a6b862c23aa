#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kiro::linux_platform {

struct DeviceNumber {
    unsigned major = 0;
    unsigned minor = 0;
    bool operator==(const DeviceNumber&) const = default;
};

// One line of /proc/self/mountinfo.
struct MountEntry {
    int mountId = 0;
    DeviceNumber device;
    std::string root;        // the folder of the file system that is mounted, "/" for all of it
    std::string mountPoint;  // unescaped
    std::string fsType;
    std::string source;  // "/dev/sdb1", or what the file system names itself
    bool operator==(const MountEntry&) const = default;
};

// Parses the mount table; lines that do not have the fields of a mount are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);
// The kernel writes blank, tab, newline and backslash in paths as \040, \011, \012, \134.
std::string UnescapeMountField(std::string_view field);
// Reads the whole file (a /proc file has no size to ask for); empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace kiro::linux_platform
