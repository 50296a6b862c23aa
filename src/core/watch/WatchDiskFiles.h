#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/system/FileSystem.h"

namespace kiro {

// Files at the root of a watch disk, matched without regard to letter case, as on the watch's
// FAT file system. Nothing on a watch disk is trusted: its files are read only when they are
// regular files (a link is left alone), and no larger than any real watch file.

// Larger than any file a watch writes: a day of text lines is well under 64 KiB and a binary day
// file 3072 bytes.
inline constexpr size_t kWatchFileLimit = 1024 * 1024;

struct DayFileName {
    std::string name;  // as on the disk
    int year = 0;
    int month = 0;
    int day = 0;
};

// The date a day file name carries: yyyymmdd with a year 2012..2099, month 1..12, day 1..31.
std::optional<DayFileName> ParseDayFileName(const std::string& name);

// Entries of a listing whose name is exactly 12 characters and ends in the extension (".txt" or
// ".KRO", any case), of any kind (a folder too: named like a day file, it is worth a word), in
// name order.
std::vector<FolderEntry> EntriesWithExtension(const FolderListing& listing, const std::string& extension);
// True when the listing holds such an entry that is a regular file.
bool HoldsRegularFileWithExtension(const FolderListing& listing, const std::string& extension);

// The name of a regular file at the root as it is spelled on the disk, or nothing.
std::optional<std::string> FindRootFile(FileSystem& files, const std::string& root, const std::string& name);
// The path to write a root file at: its name as spelled on the disk, or `name` when it is not
// there (a link of that name is then refused by the write, never followed). Nothing when the
// root is empty: the volume went away, and "/name" would be a file of this machine.
std::optional<std::string> RootFilePath(FileSystem& files, const std::string& root, const std::string& name);

}  // namespace kiro
