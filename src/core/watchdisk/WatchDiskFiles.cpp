#include "core/watchdisk/WatchDiskFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kiro {
namespace {

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
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

}  // namespace

std::vector<std::string> ListRootFiles(const std::string& root, const std::string& extension) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        if (!entry.is_regular_file(error)) continue;
        const std::string name = entry.path().filename().string();
        if (name.size() != 12) continue;
        if (EqualsNoCase(name.substr(name.size() - extension.size()), extension)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<DayFileName> ParseDayFileName(const std::string& name) {
    if (name.size() != 12) return std::nullopt;
    DayFileName parsed{name, Digits(name, 0, 4), Digits(name, 4, 2), Digits(name, 6, 2)};
    if (parsed.day < 1 || parsed.day > 31 || parsed.month < 1 || parsed.month > 12 || parsed.year < 2012 ||
        parsed.year > 2099)
        return std::nullopt;
    return parsed;
}

std::optional<std::string> FindRootFile(const std::string& root, const std::string& name) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        const std::string found = entry.path().filename().string();
        if (EqualsNoCase(found, name) && entry.is_regular_file(error)) return found;
    }
    return std::nullopt;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return true;
}

}  // namespace kiro
