// The program's settings file, as read and written with the Windows private-profile behaviour,
// and the typed settings loaded from it at start. Input (FuzzedDataProvider): a section, a key, a
// value to write, a second section and key to look at, then the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/app/App.h"
#include "core/base/IniText.h"
#include "core/store/IniFile.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"

using namespace kiro;

namespace {

// Sections and keys come from the program, never from the file: letters, digits and "_".
std::string Name(FuzzedDataProvider& input) {
    std::string name;
    for (char c : input.ConsumeRandomLengthString(12))
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') name += c;
    return name.empty() ? "Key" : name;
}

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// What reading gives back for a written value: cut at its first line break, without blanks
// around it, and without the quotes of a quoted value.
std::string ReadBack(std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));
    // Blanks as the private-profile functions cut them: space, the control characters from tab
    // to carriage return, and Ctrl-Z.
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; };
    while (!value.empty() && blank(value.front())) value.remove_prefix(1);
    while (!value.empty() && blank(value.back())) value.remove_suffix(1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void CheckText(const std::string& content, const IniChange& change, const std::string& otherSection,
               const std::string& otherKey) {
    const std::string written = WithIniValues(content, {change});
    const std::string expected = ReadBack(change.value);
    fuzz::Require(FindIniValue(written, change.section, change.key) == expected,
                  "a value written reads back cut at its first line break");
    // A second write may tidy the line ends of a foreign file (carriage returns left at the
    // end of a line), never a value.
    const std::string again = WithIniValues(written, {change});
    fuzz::Require(
        FindIniValue(again, change.section, change.key) == expected &&
            FindIniValue(again, otherSection, otherKey) == FindIniValue(written, otherSection, otherKey),
        "writing the same value again changes no value");
    if (!SameNoCase(otherSection, change.section) || !SameNoCase(otherKey, change.key))
        fuzz::Require(
            FindIniValue(written, otherSection, otherKey) == FindIniValue(content, otherSection, otherKey),
            "a write keeps every other key");

    const IniSnapshot snapshot{{}, written};
    const int fallback = 12345;
    const int number = snapshot.ReadInt(change.section, change.key, fallback);
    fuzz::Require(number == (expected.empty() ? fallback : ParseProfileInt(expected)),
                  "a number reads from the value's leading digits");
    for (size_t buffer : {size_t{0}, size_t{1}, size_t{8}, size_t{200}}) {
        const std::string text = snapshot.ReadString(change.section, change.key, "default", buffer);
        fuzz::Require(text.size() + 1 <= std::max<size_t>(buffer, 1), "a read fits the buffer it is given");
    }
}

// The typed settings of a start over the file, and every value the pages read.
void LoadTyped(const fuzz::ScratchFolder& folder, const std::string& content) {
    folder.Empty();
    folder.Folder().Write(kSettingsFileName, content);
    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeFileSystem files;
    App app(folder.Path(), clock, locale, files);
    app.LoadSettings();
    fuzz::Require(!app.Config().LoadError(), "a settings file that can be read loads");
    static_cast<void>(app.Config().Describe());
    static_cast<void>(app.Config().ReadSleepWindow());
    static_cast<void>(app.Config().ReadReportMode());
    static_cast<void>(app.Config().ReadPreCopy());
    static_cast<void>(app.Config().ReadUpdateUrl());
    for (int slot = 1; slot <= 4; ++slot)
        fuzz::Require(app.Config().ReadTempGraphic(slot).size() < 200, "a picture slot fits its buffer");
    static_cast<void>(app.WindowTitle());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFolder folder;
    FuzzedDataProvider input(data, size);
    IniChange change;
    change.section = Name(input);
    change.key = Name(input);
    change.value = input.ConsumeRandomLengthString(80);
    const std::string otherSection = Name(input);
    const std::string otherKey = Name(input);
    const std::string content = input.ConsumeRemainingBytesAsString();

    static_cast<void>(ParseProfileInt(content));
    CheckText(content, change, otherSection, otherKey);
    LoadTyped(folder, content);
    return 0;
}
