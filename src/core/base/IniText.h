#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// The text of a settings file with the observable behaviour of the Windows private-profile
// functions: sections and keys match without regard to letter case, blanks around names and
// values are cut, a value written in a pair of double or single quotes is read without them,
// only the first copy of a section that appears more than once is read or written, and a write
// keeps every other line as it was, creating the section and key when missing.

struct IniChange {
    std::string section;
    std::string key;
    std::string value;
};

// The value of a key, or nothing when the section or key is missing (a key found only in a
// later copy of its section is missing).
std::optional<std::string> FindIniValue(std::string_view content, std::string_view section,
                                        std::string_view key);

// The content with each change made in turn. A value is cut at its first line break, which
// would otherwise end the line and let the rest of the value become keys of its own.
std::string WithIniValues(std::string_view content, const std::vector<IniChange>& changes);

// Whether a change's section and key can be written as the names they are: neither may be
// empty or hold a line break (the rest would become lines of their own), a section no ']' (which
// ends its name) and a key no '=' (which ends its name and starts its value).
bool IsWritableIniName(const IniChange& change);

// The integer that the Windows profile functions read from a value: optional blanks and
// sign, then decimal digits up to the first other character; no digits reads as 0.
int ParseProfileInt(std::string_view text);

}  // namespace kiro
