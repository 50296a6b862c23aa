#include "core/app/CommitRecord.h"

#include "core/app/Fnv1a.h"
#include "core/app/Format.h"
#include "core/app/ProgramFolder.h"

namespace kiro {
namespace {

constexpr std::string_view kHead = "KiroMeter commit record";
constexpr std::string_view kReplace = "replace ";
constexpr std::string_view kRemove = "remove ";
constexpr std::string_view kCheck = "check ";
constexpr std::string_view kStagedSuffix = ".tmp";
constexpr size_t kIdDigits = 16;

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

// The head line: "KiroMeter commit record <id>", or the earlier format's without an id.
std::optional<uint64_t> ParseHead(std::string_view line) {
    if (line == kHead) return 0;
    if (line.size() != kHead.size() + 1 + kIdDigits || line.substr(0, kHead.size()) != kHead ||
        line[kHead.size()] != ' ')
        return std::nullopt;
    const std::string_view hex = line.substr(kHead.size() + 1);
    if (!IsLowerHex(hex)) return std::nullopt;
    uint64_t id = 0;
    for (char c : hex) id = id * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    if (id == 0) return std::nullopt;
    return id;
}

}  // namespace

bool IsCommittedFile(std::string_view relativeName) {
    return relativeName == kSettingsFileName || relativeName == kJournalFileName ||
           IsMonthFileName(relativeName);
}

std::string StagedNameOf(std::string_view relativeName, uint64_t id) {
    std::string name(relativeName);
    if (id != 0) name += "." + Hex16(id);
    return name + std::string(kStagedSuffix);
}

bool IsStagedName(std::string_view relativeName) {
    if (relativeName.size() <= kStagedSuffix.size() ||
        relativeName.substr(relativeName.size() - kStagedSuffix.size()) != kStagedSuffix)
        return false;
    std::string_view name = relativeName.substr(0, relativeName.size() - kStagedSuffix.size());
    if (IsCommittedFile(name)) return true;
    if (name.size() <= kIdDigits + 1 || name[name.size() - kIdDigits - 1] != '.' ||
        !IsLowerHex(name.substr(name.size() - kIdDigits)))
        return false;
    return IsCommittedFile(name.substr(0, name.size() - kIdDigits - 1));
}

std::string FormatCommitRecord(const CommitRecord& record) {
    std::string text(kHead);
    if (record.id != 0) text += " " + Hex16(record.id);
    text += "\n";
    for (const std::string& name : record.replaced) text += std::string(kReplace) + name + "\n";
    for (const std::string& name : record.removed) text += std::string(kRemove) + name + "\n";
    text += std::string(kCheck) + Hex16(Fnv1a(text)) + "\n";
    return text;
}

std::optional<CommitRecord> ParseCommitRecord(std::string_view text) {
    const size_t headEnd = text.find('\n');
    if (headEnd == std::string_view::npos) return std::nullopt;
    const std::optional<uint64_t> id = ParseHead(text.substr(0, headEnd));
    if (!id) return std::nullopt;
    CommitRecord record;
    record.id = *id;
    size_t at = headEnd + 1;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;  // cut short
        const std::string_view line = text.substr(at, end - at);
        if (line.substr(0, kCheck.size()) == kCheck) {
            const std::string_view hex = line.substr(kCheck.size());
            if (hex.size() != kIdDigits || end + 1 != text.size()) return std::nullopt;
            if (Hex16(Fnv1a(text.substr(0, at))) != hex) return std::nullopt;
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
