#include "core/watch/WatchDiskFiles.h"

#include <algorithm>

namespace kiro {
namespace {

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int Digits(const std::string& text, size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool HasExtension(const std::string& name, const std::string& extension) {
    return name.size() == 12 && EqualsNoCase(name.substr(name.size() - extension.size()), extension);
}

}  // namespace

std::vector<FolderEntry> EntriesWithExtension(const FolderListing& listing, const std::string& extension) {
    std::vector<FolderEntry> found;
    for (const FolderEntry& entry : listing.entries)
        if (HasExtension(entry.name, extension)) found.push_back(entry);
    std::sort(found.begin(), found.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return found;
}

bool HoldsRegularFileWithExtension(const FolderListing& listing, const std::string& extension) {
    return std::any_of(listing.entries.begin(), listing.entries.end(), [&](const FolderEntry& entry) {
        return entry.kind == EntryKind::Regular && HasExtension(entry.name, extension);
    });
}

std::optional<DayFileName> ParseDayFileName(const std::string& name) {
    if (name.size() != 12) return std::nullopt;
    DayFileName parsed{name, Digits(name, 0, 4), Digits(name, 4, 2), Digits(name, 6, 2)};
    if (parsed.day < 1 || parsed.day > 31 || parsed.month < 1 || parsed.month > 12 || parsed.year < 2012 ||
        parsed.year > 2099)
        return std::nullopt;
    return parsed;
}

std::optional<std::string> FindRootFile(FileSystem& files, const std::string& root, const std::string& name) {
    for (const FolderEntry& entry : files.ListFolder(root).entries)
        if (entry.kind == EntryKind::Regular && EqualsNoCase(entry.name, name)) return entry.name;
    return std::nullopt;
}

std::optional<std::string> RootFilePath(FileSystem& files, const std::string& root, const std::string& name) {
    if (root.empty()) return std::nullopt;
    return root + "/" + FindRootFile(files, root, name).value_or(name);
}

}  // namespace kiro
