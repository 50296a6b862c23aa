#include "core/watch/WatchMarker.h"

#include <algorithm>
#include <system_error>

#include "core/watch/WatchDiskFiles.h"

namespace kiro {

bool EnsureMarkerFile(FileSystem& files, const std::string& root, FileAttributes& attributes) {
    // A volume that went away has no root to write at.
    if (root.empty()) return false;
    if (const auto existing = FindRootFile(files, root, "USBWATCH.DAT"))
        if (files.OpensForReading(root + "/" + *existing)) return true;
    const std::string path = root + "/USBWATCH.DAT";
    std::string content(80, '\0');
    content.replace(0, std::min<size_t>(path.size(), 79), path, 0, 79);
    if (files.WriteFile(path, content, Durability::Flushed)) return false;
    attributes.SetHidden(path);
    return true;
}

std::error_code RecreateMarkerFile(FileSystem& files, const std::string& root, FileAttributes& attributes) {
    const auto path = RootFilePath(files, root, "USBWATCH.DAT");
    if (!path) return std::make_error_code(std::errc::no_such_device);
    if (const std::error_code error = files.WriteFile(*path, "", Durability::Flushed)) return error;
    // FAT has the attribute; a disk without one still carries the file, which is what counts.
    attributes.SetHidden(*path);
    return {};
}

}  // namespace kiro
