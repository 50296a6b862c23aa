#include "core/store/IniFile.h"

#include "core/base/Format.h"

namespace kiro {

int IniSnapshot::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto value = FindIniValue(content, section, key);
    if (!value || value->empty()) return defaultValue;
    return ParseProfileInt(*value);
}

namespace {

// The default as the profile functions give it: without the spaces at its end, but never cut
// below its first character, so a default of spaces only gives one space.
std::string_view WithoutTrailingSpaces(std::string_view defaultValue) {
    while (defaultValue.size() > 1 && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
    return defaultValue;
}

}  // namespace

std::string IniSnapshot::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, size_t bufferLength) const {
    std::string result =
        FindIniValue(content, section, key).value_or(std::string(WithoutTrailingSpaces(defaultValue)));
    const size_t limit = bufferLength == 0 ? 0 : bufferLength - 1;
    if (result.size() > limit) result.resize(limit);
    return result;
}

IniSnapshot IniFile::Read() const {
    FileContent file = writer_.Files().ReadFile(Path(), kSizeLimit, OverLimit::Refuse);
    if (IsMissing(file.error)) return {};
    return {file.error, file.error ? std::string() : std::move(file.bytes)};
}

void IniFile::Stage(FolderTransaction& transaction, const std::vector<IniChange>& changes) const {
    for (const IniChange& change : changes)
        if (!IsWritableIniName(change))
            return transaction.Fail(std::make_error_code(std::errc::invalid_argument));
    const IniSnapshot now = Read();
    if (now.error) return transaction.Fail(now.error);
    transaction.Replace(kSettingsFileName, WithIniValues(now.content, changes));
}

std::error_code IniFile::Write(const std::vector<IniChange>& changes) const {
    // A file that holds these values already needs no commit, and no wait for a writer.
    {
        const ProgramFolderWriter::Hold reading = writer_.ReadLock();
        const IniSnapshot now = Read();
        if (reading && !now.error && WithIniValues(now.content, changes) == now.content) return {};
    }
    return writer_.Change([&](FolderTransaction& transaction) { Stage(transaction, changes); });
}

std::error_code IniFile::WriteString(std::string_view section, std::string_view key,
                                     std::string_view value) const {
    return Write({{std::string(section), std::string(key), std::string(value)}});
}

std::error_code IniFile::WriteInt(std::string_view section, std::string_view key, int value) const {
    return WriteString(section, key, Format("%d", value));
}

}  // namespace kiro
