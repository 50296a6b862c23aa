#include "core/watchdisk/ImportJournal.h"

#include <cstdlib>

#include "core/app/Fnv1a.h"
#include "core/app/Format.h"

namespace kiro {
namespace {

constexpr std::string_view kDevicePrefix = "device ";

std::string Line(const ImportJournal::Entry& entry) {
    return Format("%s %llu %016llx", entry.name.c_str(), static_cast<unsigned long long>(entry.size),
                  static_cast<unsigned long long>(entry.hash));
}

std::string DeviceLine(uint64_t key) {
    return Format("%s%016llx", std::string(kDevicePrefix).c_str(), static_cast<unsigned long long>(key));
}

}  // namespace

ImportJournal::Entry ImportJournal::Describe(const std::string& name, std::string_view content) {
    return {name, content.size(), Fnv1a(content)};
}

uint64_t ImportJournal::RecordKey(std::string_view recordBytes) {
    return Fnv1a(recordBytes);
}

ImportJournal::ImportJournal(std::string_view text) {
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(at, end - at));
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.rfind(kDevicePrefix, 0) == 0) {
            const std::string hex = line.substr(kDevicePrefix.size());
            char* stop = nullptr;
            const unsigned long long key = std::strtoull(hex.c_str(), &stop, 16);
            if (hex.size() == 16 && stop && *stop == '\0') deviceRecords_.insert(key);
            continue;
        }
        dayFiles_.insert(line);
        dayFileLines_.push_back(std::move(line));
    }
}

bool ImportJournal::Contains(const Entry& entry) const {
    return dayFiles_.count(Line(entry)) != 0;
}

std::string ImportJournal::With(const std::vector<Entry>& added,
                                const std::optional<std::vector<uint64_t>>& deviceRecords) const {
    std::string text;
    for (const std::string& line : dayFileLines_) text += line + "\n";
    for (const Entry& entry : added) text += Line(entry) + "\n";
    if (deviceRecords) {
        for (uint64_t key : *deviceRecords) text += DeviceLine(key) + "\n";
    } else {
        for (uint64_t key : deviceRecords_) text += DeviceLine(key) + "\n";
    }
    return text;
}

JournalRead ReadImportJournal(FileSystem& files, const ProgramPaths& paths) {
    const FileContent file =
        files.ReadFile(paths.File(kJournalFileName), ImportJournal::kSizeLimit, OverLimit::Refuse);
    if (IsMissing(file.error)) return {{}, ImportJournal()};
    if (file.error) return {file.error, ImportJournal()};
    return {{}, ImportJournal(file.bytes)};
}

}  // namespace kiro
