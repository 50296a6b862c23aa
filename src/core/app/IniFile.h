#pragma once
#include <string>
#include <string_view>

namespace kiro {

// A settings file read and written with the observable behaviour of the Windows
// private-profile functions: sections and keys match without regard to letter case,
// a missing file or key gives the default, integers are decimal text read up to the first
// character that is not part of the number, strings are cut to the buffer length given,
// and a write creates the file and the section when missing while keeping every other line.
// The file is read anew for every call, as the Windows functions do.
class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    // Returns at most bufferLength - 1 characters, as a buffer of that size would hold.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           size_t bufferLength) const;
    // A value is cut at its first line break, which would otherwise end the line and let the
    // rest of the value become keys of its own. The file is replaced atomically.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    bool WriteInt(std::string_view section, std::string_view key, int value) const;

private:
    std::string path_;
};

// The integer that the Windows profile functions read from a value: optional blanks and
// sign, then decimal digits up to the first other character; no digits reads as 0.
int ParseProfileInt(std::string_view text);

}  // namespace kiro
