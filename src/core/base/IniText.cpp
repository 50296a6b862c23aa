#include "core/base/IniText.h"

#include <cstdint>

namespace kiro {
namespace {

// The blanks the Windows profile functions cut from around names and values: space, tab, the
// line and page breaks (line feed, vertical tab, form feed, carriage return) and Ctrl-Z, which
// ends the text of files made on DOS.
bool IsProfileBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

struct Lines {
    std::vector<std::string> text;  // without line ends
    std::string lineEnd = "\r\n";
    bool endsWithLineBreak = true;
};

Lines SplitLines(std::string_view content) {
    Lines lines;
    const size_t firstBreak = content.find('\n');
    if (firstBreak != std::string::npos && (firstBreak == 0 || content[firstBreak - 1] != '\r'))
        lines.lineEnd = "\n";
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            lines.text.emplace_back(content.substr(start));
            lines.endsWithLineBreak = false;
            break;
        }
        size_t stop = end;
        if (stop > start && content[stop - 1] == '\r') --stop;
        lines.text.emplace_back(content.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    return Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> SplitKey(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

// Makes one change in the lines.
void ApplyChange(Lines& lines, const IniChange& change) {
    std::string_view value = change.value;
    const size_t lineBreak = value.find_first_of("\r\n");
    if (lineBreak != std::string_view::npos) value = value.substr(0, lineBreak);
    const std::string_view section = change.section;
    const std::string_view key = change.key;
    const std::string entry = std::string(key) + "=" + std::string(value);

    // Locate the section and, inside it, the key or the place after its last entry. Only the
    // first copy of a section that appears more than once is looked at, as a read looks at
    // that copy only: a value written into a later copy could never be read back.
    std::optional<size_t> sectionLine;
    std::optional<size_t> keyLine;
    std::string existingKey;
    size_t insertAt = lines.text.size();
    for (size_t i = 0; i < lines.text.size(); ++i) {
        if (const auto name = SectionName(lines.text[i])) {
            if (sectionLine) break;
            if (EqualsNoCase(*name, section)) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!sectionLine) continue;
        if (!Trim(lines.text[i]).empty()) insertAt = i + 1;
        const auto found = SplitKey(lines.text[i]);
        if (found && EqualsNoCase(found->key, key)) {
            keyLine = i;
            existingKey = std::string(found->key);
            break;
        }
    }

    if (keyLine) {
        // The key keeps the spelling it has in the file; only its value changes.
        lines.text[*keyLine] = existingKey + "=" + std::string(value);
    } else if (sectionLine) {
        lines.text.insert(lines.text.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    } else {
        // Built piece by piece: GCC 12 at -O3 warns wrongly about the overlap of "[" + ... + "]".
        std::string header(1, '[');
        header.append(section);
        header += ']';
        lines.text.push_back(std::move(header));
        lines.text.push_back(entry);
        lines.endsWithLineBreak = true;
    }
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view content, std::string_view section,
                                        std::string_view key) {
    bool inSection = false;
    const Lines lines = SplitLines(content);
    for (const std::string& line : lines.text) {
        if (const auto name = SectionName(line)) {
            // Later copies of the section are not read: a key missing from the first copy is
            // missing, wherever else the section's name appears again.
            if (inSection) return std::nullopt;
            inSection = EqualsNoCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        const auto entry = SplitKey(line);
        if (entry && EqualsNoCase(entry->key, key)) {
            std::string_view value = entry->value;
            // A value written in a pair of double or single quotes is read without them.
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            return std::string(value);
        }
    }
    return std::nullopt;
}

std::string WithIniValues(std::string_view content, const std::vector<IniChange>& changes) {
    Lines lines = SplitLines(content);
    for (const IniChange& change : changes) ApplyChange(lines, change);
    std::string result;
    for (size_t i = 0; i < lines.text.size(); ++i) {
        result += lines.text[i];
        if (i + 1 < lines.text.size() || lines.endsWithLineBreak) result += lines.lineEnd;
    }
    return result;
}

bool IsWritableIniName(const IniChange& change) {
    return !change.section.empty() && !change.key.empty() &&
           change.section.find_first_of("\r\n]") == std::string::npos &&
           change.key.find_first_of("\r\n=") == std::string::npos;
}

int ParseProfileInt(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10u + static_cast<uint32_t>(c - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

}  // namespace kiro
