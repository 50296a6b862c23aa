#include "core/watchdisk/ImportJournal.h"

#include <cstdlib>
#include <sstream>

#include "core/base/Fnv1a.h"
#include "core/base/Format.h"

namespace kiro {
namespace {

// Lines of the earlier format: "device <hash of a record>".
constexpr std::string_view kEarlierDevicePrefix = "device ";
// "watch <key> reading <connection key>" and
// "watch <key> stored <p|b><yyyymmddhh> <counts, four hexadecimal digits each>".
constexpr std::string_view kWatchPrefix = "watch ";

std::string Line(const ImportJournal::Entry& entry) {
    return Format("%s %llu %016llx", entry.name.c_str(), static_cast<unsigned long long>(entry.size),
                  static_cast<unsigned long long>(entry.hash));
}

std::string Hex16(uint64_t value) {
    return Format("%016llx", static_cast<unsigned long long>(value));
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHex(std::string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 16) return false;
    value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return false;
        value = value * 16 + static_cast<uint64_t>(digit);
    }
    return true;
}

std::string PlaceText(const RecordPlace& place) {
    return Format("%c%04d%02d%02d%02d", static_cast<char>(place.kind), place.year, place.month, place.day,
                  place.hour);
}

bool ParsePlace(const std::string& text, RecordPlace& place) {
    if (text.size() != 11 || (text[0] != 'p' && text[0] != 'b')) return false;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    place.kind = static_cast<RecordPlace::Kind>(text[0]);
    place.year = std::stoi(text.substr(1, 4));
    place.month = std::stoi(text.substr(5, 2));
    place.day = std::stoi(text.substr(7, 2));
    place.hour = std::stoi(text.substr(9, 2));
    return true;
}

bool ParseCounts(const std::string& text, RecordPlace::Kind kind, std::vector<uint16_t>& counts) {
    const size_t wanted = kind == RecordPlace::Kind::Page ? kPageRecordCounts : kBlockCounts;
    if (text.size() != wanted * 4) return false;
    counts.resize(wanted);
    for (size_t i = 0; i < wanted; ++i) {
        uint64_t value = 0;
        if (!ParseHex(std::string_view(text).substr(4 * i, 4), value)) return false;
        counts[i] = static_cast<uint16_t>(value);
    }
    return true;
}

bool IsKey(const std::string& text) {
    uint64_t ignored = 0;
    return text.size() == 16 && ParseHex(text, ignored);
}

}  // namespace

ImportJournal::Entry ImportJournal::Describe(const std::string& name, std::string_view content) {
    return {name, content.size(), Fnv1a(content)};
}

std::string ImportJournal::KeyOf(std::string_view name) {
    return Hex16(Fnv1a(name));
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
        if (line.rfind(kEarlierDevicePrefix, 0) == 0) {
            uint64_t key = 0;
            const std::string hex = line.substr(kEarlierDevicePrefix.size());
            if (hex.size() == 16 && ParseHex(hex, key)) earlierRecords_.insert(key);
            continue;
        }
        if (line.rfind(kWatchPrefix, 0) == 0) {
            std::istringstream fields(line.substr(kWatchPrefix.size()));
            std::string key, what, first, second, rest;
            fields >> key >> what >> first >> second >> rest;
            RecordPlace place;
            std::vector<uint16_t> counts;
            if (IsKey(key) && what == "reading" && (IsKey(first) || first == kUnknownConnection) &&
                second.empty()) {
                devices_[key].readingIn = first;
                continue;
            }
            if (IsKey(key) && what == "stored" && rest.empty() && ParsePlace(first, place) &&
                ParseCounts(second, place.kind, counts)) {
                devices_[key].stored[place] = counts;
                continue;
            }
        }
        dayFiles_.insert(line);
        otherLines_.push_back(std::move(line));
    }
}

bool ImportJournal::Contains(const Entry& entry) const {
    return dayFiles_.count(Line(entry)) != 0;
}

void ImportJournal::Add(const Entry& entry) {
    std::string line = Line(entry);
    if (dayFiles_.insert(line).second) otherLines_.push_back(std::move(line));
}

ImportJournal::DeviceWatch ImportJournal::Device(const std::string& watchKey) const {
    const auto found = devices_.find(watchKey);
    return found == devices_.end() ? DeviceWatch{} : found->second;
}

void ImportJournal::SetDevice(const std::string& watchKey, const DeviceWatch& device) {
    if (device.Empty())
        devices_.erase(watchKey);
    else
        devices_[watchKey] = device;
}

void ImportJournal::ForgetDevice(const std::string& watchKey) {
    devices_.erase(watchKey);
    earlierRecords_.clear();
}

bool ImportJournal::HasEarlierRecord(std::string_view recordBytes) const {
    return earlierRecords_.count(Fnv1a(recordBytes)) != 0;
}

std::string ImportJournal::Text() const {
    std::string text;
    for (const std::string& line : otherLines_) text += line + "\n";
    for (uint64_t key : earlierRecords_) text += std::string(kEarlierDevicePrefix) + Hex16(key) + "\n";
    for (const auto& [key, device] : devices_) {
        const std::string head = std::string(kWatchPrefix) + key;
        if (!device.readingIn.empty()) text += head + " reading " + device.readingIn + "\n";
        for (const auto& [place, counts] : device.stored) {
            text += head + " stored " + PlaceText(place) + " ";
            // Four digits a count, written in place: a read of 99 blocks holds 14256 of them.
            constexpr char kDigits[] = "0123456789abcdef";
            size_t at = text.size();
            text.resize(at + 4 * counts.size());
            for (uint16_t count : counts)
                for (int shift = 12; shift >= 0; shift -= 4) text[at++] = kDigits[(count >> shift) & 0xF];
            text += "\n";
        }
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
