#include "core/store/CommitRecord.h"

#include <cstring>

#include "core/base/Fnv1a.h"
#include "core/base/Format.h"
#include "core/base/ProgramFolder.h"

namespace kiro {
namespace {

// The head of a record whose staged files are named by their content, and that of the earlier
// format.
constexpr std::string_view kHead = "KiroMeter commit record 2";
constexpr std::string_view kEarlierHead = "KiroMeter commit record";
constexpr std::string_view kReplace = "replace ";
constexpr std::string_view kRemove = "remove ";
constexpr std::string_view kCheck = "check ";
constexpr std::string_view kStagedSuffix = ".tmp";
constexpr size_t kHashDigits = 16;

bool IsDigits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return !text.empty();
}

bool IsLowerHex(std::string_view text) {
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return !text.empty();
}

std::string Hex16(uint64_t value) {
    return Format("%016llx", static_cast<unsigned long long>(value));
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

bool ParseHex16(std::string_view hex, uint64_t& value) {
    if (hex.size() != kHashDigits || !IsLowerHex(hex)) return false;
    value = 0;
    for (char c : hex) value = value * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    return value != 0;
}

}  // namespace

bool IsCommittedFile(std::string_view relativeName) {
    return relativeName == kSettingsFileName || relativeName == kJournalFileName ||
           IsMonthFileName(relativeName);
}

uint64_t StagedContentHash(std::string_view content) {
    // FNV-1a over eight bytes at a time: a month file is 89 KB, and it is hashed at every commit.
    uint64_t hash = 1469598103934665603ull;
    size_t at = 0;
    for (; at + 8 <= content.size(); at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, content.data() + at, 8);
        hash = (hash ^ word) * 1099511628211ull;
        hash ^= hash >> 29;
    }
    hash = (hash ^ Fnv1a(content.substr(at))) * 1099511628211ull;
    return hash != 0 ? hash : 1;
}

std::string StagedNameOf(const StagedFile& file) {
    std::string name = file.name;
    if (file.content != 0) name.append(1, '.').append(Hex16(file.content));
    return name.append(kStagedSuffix);
}

bool IsStagedName(std::string_view relativeName) {
    if (relativeName.size() <= kStagedSuffix.size() ||
        relativeName.substr(relativeName.size() - kStagedSuffix.size()) != kStagedSuffix)
        return false;
    std::string_view name = relativeName.substr(0, relativeName.size() - kStagedSuffix.size());
    if (IsCommittedFile(name)) return true;
    uint64_t ignored = 0;
    if (name.size() <= kHashDigits + 1 || name[name.size() - kHashDigits - 1] != '.' ||
        !ParseHex16(name.substr(name.size() - kHashDigits), ignored))
        return false;
    return IsCommittedFile(name.substr(0, name.size() - kHashDigits - 1));
}

std::string FormatCommitRecord(const CommitRecord& record) {
    // A record of the earlier format is written as it was read (the tests of its reading).
    const bool earlier = !record.replaced.empty() && record.replaced.front().content == 0;
    std::string text(earlier ? kEarlierHead : kHead);
    text += "\n";
    for (const StagedFile& file : record.replaced) {
        text += std::string(kReplace) + file.name;
        if (!earlier) text.append(1, ' ').append(Hex16(file.content));
        text += "\n";
    }
    for (const std::string& name : record.removed) text += std::string(kRemove) + name + "\n";
    text += std::string(kCheck) + Hex16(Fnv1a(text)) + "\n";
    return text;
}

std::optional<CommitRecord> ParseCommitRecord(std::string_view text) {
    const size_t headEnd = text.find('\n');
    if (headEnd == std::string_view::npos) return std::nullopt;
    const std::string_view head = text.substr(0, headEnd);
    if (head != kHead && head != kEarlierHead) return std::nullopt;
    const bool earlier = head == kEarlierHead;
    CommitRecord record;
    size_t at = headEnd + 1;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;  // cut short
        const std::string_view line = text.substr(at, end - at);
        if (line.substr(0, kCheck.size()) == kCheck) {
            const std::string_view hex = line.substr(kCheck.size());
            if (hex.size() != kHashDigits || end + 1 != text.size()) return std::nullopt;
            if (Hex16(Fnv1a(text.substr(0, at))) != hex) return std::nullopt;
            return record;
        }
        if (line.substr(0, kReplace.size()) == kReplace) {
            StagedFile file;
            std::string_view name = line.substr(kReplace.size());
            if (!earlier) {
                if (name.size() <= kHashDigits + 1 || name[name.size() - kHashDigits - 1] != ' ' ||
                    !ParseHex16(name.substr(name.size() - kHashDigits), file.content))
                    return std::nullopt;
                name = name.substr(0, name.size() - kHashDigits - 1);
            }
            if (!IsCommittedFile(name)) return std::nullopt;
            file.name = std::string(name);
            record.replaced.push_back(std::move(file));
        } else if (line.substr(0, kRemove.size()) == kRemove &&
                   IsCommittedFile(line.substr(kRemove.size()))) {
            record.removed.emplace_back(line.substr(kRemove.size()));
        } else {
            return std::nullopt;
        }
        at = end + 1;
    }
    return std::nullopt;  // no check line
}

}  // namespace kiro
