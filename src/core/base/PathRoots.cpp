#include "core/base/PathRoots.h"

namespace kiro {
namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDriveLetter(std::string_view path) {
    return kDriveLetterPaths && path.size() >= 2 && IsLetter(path[0]) && path[1] == ':';
}

// The end of the path component that starts at `from`, at its separator or the end of the path.
size_t ComponentEnd(std::string_view path, size_t from) {
    while (from < path.size() && !IsPathSeparator(path[from])) ++from;
    return from;
}

}  // namespace

size_t PathRootLength(std::string_view path) {
    if (HasDriveLetter(path)) {
        if (path.size() == 2) return 2;
        return IsPathSeparator(path[2]) ? 3 : 0;
    }
    if (path.empty() || !IsPathSeparator(path[0])) return 0;
    // A share of another machine: its server and share names belong to the root, which no
    // step up may leave.
    if (kDriveLetterPaths && path.size() > 2 && IsPathSeparator(path[1]) && !IsPathSeparator(path[2])) {
        const size_t serverEnd = ComponentEnd(path, 2);
        if (serverEnd == path.size()) return path.size();
        const size_t shareEnd = ComponentEnd(path, serverEnd + 1);
        return shareEnd == path.size() ? shareEnd : shareEnd + 1;
    }
    return 1;
}

bool IsDriveRelative(std::string_view path) {
    return HasDriveLetter(path) && path.size() > 2 && !IsPathSeparator(path[2]);
}

}  // namespace kiro
