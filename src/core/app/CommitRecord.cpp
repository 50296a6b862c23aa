#include "core/app/CommitRecord.h"

#include <cstdio>

#include "core/app/Fnv1a.h"
#include "core/app/Format.h"
#include "core/app/ProgramFolder.h"

namespace kiro {
namespace {

constexpr std::string_view kHead = "KiroMeter commit record\n";
constexpr std::string_view kReplace = "replace ";
constexpr std::string_view kRemove = "remove ";
constexpr std::string_view kCheck = "check ";

bool IsDigits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return !text.empty();
}

// "Data/Kiro" yyyy mm ".BIN" with a month 01..12.
bool IsMonthFileName(std::string_view name) {
    constexpr std::string_view prefix = "Data/Kiro", suffix = ".BIN";
    if (name.size() != prefix.size() + 6 + suffix.size()) return false;
    if (name.substr(0, prefix.size()) != prefix || name.substr(name.size() - suffix.size()) != suffix)
        return false;
    const std::string_view digits = name.substr(prefix.size(), 6);
    if (!IsDigits(digits)) return false;
    const int month = (digits[4] - '0') * 10 + (digits[5] - '0');
    return month >= 1 && month <= 12;
}

}  // namespace

bool IsCommittedFile(std::string_view relativeName) {
    return relativeName == kSettingsFileName || relativeName == kJournalFileName ||
           IsMonthFileName(relativeName);
}

std::string FormatCommitRecord(const CommitRecord& record) {
    std::string text(kHead);
    for (const std::string& name : record.replaced) text += std::string(kReplace) + name + "\n";
    for (const std::string& name : record.removed) text += std::string(kRemove) + name + "\n";
    text += Format("%s%016llx\n", std::string(kCheck).c_str(), static_cast<unsigned long long>(Fnv1a(text)));
    return text;
}

std::optional<CommitRecord> ParseCommitRecord(std::string_view text) {
    if (text.substr(0, kHead.size()) != kHead) return std::nullopt;
    CommitRecord record;
    size_t at = kHead.size();
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;  // cut short
        const std::string_view line = text.substr(at, end - at);
        if (line.substr(0, kCheck.size()) == kCheck) {
            const std::string_view hex = line.substr(kCheck.size());
            if (hex.size() != 16 || end + 1 != text.size()) return std::nullopt;
            if (Format("%016llx", static_cast<unsigned long long>(Fnv1a(text.substr(0, at)))) != hex)
                return std::nullopt;
            return record;
        }
        std::string_view name;
        std::vector<std::string>* list = nullptr;
        if (line.substr(0, kReplace.size()) == kReplace) {
            name = line.substr(kReplace.size());
            list = &record.replaced;
        } else if (line.substr(0, kRemove.size()) == kRemove) {
            name = line.substr(kRemove.size());
            list = &record.removed;
        }
        if (!list || !IsCommittedFile(name)) return std::nullopt;
        list->emplace_back(name);
        at = end + 1;
    }
    return std::nullopt;  // no check line
}

}  // namespace kiro
