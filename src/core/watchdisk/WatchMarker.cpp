#include "core/watchdisk/WatchMarker.h"

#include <fstream>

#include "core/watchdisk/WatchDiskFiles.h"

namespace kiro {

bool EnsureMarkerFile(const std::string& root, FileAttributes& attributes) {
    if (const auto existing = FindRootFile(root, "USBWATCH.DAT")) {
        if (std::ifstream(root + "/" + *existing, std::ios::binary)) return true;
    }
    const std::string path = root + "/USBWATCH.DAT";
    std::string content(80, '\0');
    content.replace(0, std::min<size_t>(path.size(), 79), path, 0, 79);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out) return false;
    }
    attributes.SetHidden(path);
    return true;
}

}  // namespace kiro
