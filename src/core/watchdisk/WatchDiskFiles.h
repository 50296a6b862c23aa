#pragma once
#include <optional>
#include <string>
#include <vector>

namespace kiro {

// Files at the root of a watch disk, matched without regard to letter case, as on the watch's
// FAT file system.
struct DayFileName {
    std::string name;  // as on the disk
    int year = 0;
    int month = 0;
    int day = 0;
};

// Regular files of the root whose name is exactly 12 characters and ends in the extension
// (".txt" or ".KRO", any case), in name order.
std::vector<std::string> ListRootFiles(const std::string& root, const std::string& extension);

// The date a day file name carries: yyyymmdd with a year 2012..2099, month 1..12, day 1..31.
std::optional<DayFileName> ParseDayFileName(const std::string& name);

// The name of a file at the root as it is spelled on the disk, or nothing when it is missing.
std::optional<std::string> FindRootFile(const std::string& root, const std::string& name);

bool ReadWholeFile(const std::string& path, std::string& content);

}  // namespace kiro
