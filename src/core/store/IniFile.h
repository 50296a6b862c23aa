#pragma once
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/base/IniText.h"
#include "core/store/ProgramFolderWriter.h"

namespace kiro {

// The settings file at one moment.
struct IniSnapshot {
    // The file exists but could not be read; a missing file is no error and reads as empty.
    std::error_code error;
    std::string content;

    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    // Returns at most bufferLength - 1 characters, as a buffer of that size would hold.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           size_t bufferLength) const;
};

// The program's settings file, read anew for every call as the Windows private-profile functions
// read it, and written through the program folder's commits: a write replaces the whole file in
// one step, under the folder's lock, from the file as it is at that moment.
class IniFile {
  public:
    // Larger than any settings file the program writes; a larger one is not taken as settings.
    static constexpr size_t kSizeLimit = 1024 * 1024;

    explicit IniFile(ProgramFolderWriter& writer) : writer_(writer) {}

    std::string Path() const { return writer_.Paths().SettingsFile(); }
    IniSnapshot Read() const;

    // A missing or unreadable file or key gives the default.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
        return Read().ReadInt(section, key, defaultValue);
    }
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           size_t bufferLength) const {
        return Read().ReadString(section, key, defaultValue, bufferLength);
    }

    // Writes keys together, creating the file and sections when missing and keeping every other
    // line; a file that holds the values already is left alone. A file that exists but cannot be
    // read is never replaced: that is an error, and so is a section or key name that cannot be
    // written as one (invalid_argument).
    std::error_code Write(const std::vector<IniChange>& changes) const;
    std::error_code WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    std::error_code WriteInt(std::string_view section, std::string_view key, int value) const;
    // The same changes as part of a larger commit.
    void Stage(FolderTransaction& transaction, const std::vector<IniChange>& changes) const;

  private:
    ProgramFolderWriter& writer_;
};

}  // namespace kiro
