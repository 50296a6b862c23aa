#pragma once
#include <cstddef>
#include <string_view>

namespace kiro {

// The path rules of the system the program runs on, as plain text rules: where paths have drive
// letters, a path may begin with "C:/" or "//server/share/", and '\' separates as '/' does.
#if defined(_WIN32)
inline constexpr bool kDriveLetterPaths = true;
#else
inline constexpr bool kDriveLetterPaths = false;
#endif

constexpr bool IsPathSeparator(char c) {
    return c == '/' || (kDriveLetterPaths && c == '\\');
}

// The length of the root a path begins with, its trailing separator included: 1 for "/"; where
// paths have drive letters also 3 for "C:/", 2 for a bare "C:" (taken as the drive's root), and
// the whole of "//server/share/". 0 for a relative path, and for a drive-relative one ("C:name"),
// which names a place below whatever folder was last current on that drive.
size_t PathRootLength(std::string_view path);

// A drive letter with a name straight after its colon ("C:name"): a path whose meaning depends
// on a current folder per drive that this program never sets.
bool IsDriveRelative(std::string_view path);

}  // namespace kiro
