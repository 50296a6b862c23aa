#pragma once
#include <string>
#include <system_error>

#include "core/system/FileAttributes.h"
#include "core/system/FileSystem.h"

namespace kiro {

// Makes sure the watch disk at `root` carries its hidden marker file USBWATCH.DAT: when it
// cannot be opened, it is created with 80 bytes (the path text used, a zero byte, zeros) and
// hidden. Returns false when it neither opens nor can be created; a link of that name is left
// alone and never written through.
bool EnsureMarkerFile(FileSystem& files, const std::string& root, FileAttributes& attributes);

// Makes the marker file afresh, empty and hidden, as a watch being prepared gets it.
std::error_code RecreateMarkerFile(FileSystem& files, const std::string& root, FileAttributes& attributes);

}  // namespace kiro
