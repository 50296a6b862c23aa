#include "platform/win32/Win32FileAttributes.h"

#include <windows.h>

namespace kiro::win32_platform {

bool Win32FileAttributes::SetHidden(const std::string& path) {
    // Read first: the read-only, system and archive bits must be written back as they are.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & FILE_ATTRIBUTE_HIDDEN) return true;
    // "Normal" means no other attribute and is refused beside one.
    return SetFileAttributesA(path.c_str(), (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace kiro::win32_platform
