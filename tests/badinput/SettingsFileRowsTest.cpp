// Broken and hostile settings files, met by the command line (reading, reports, a write) and by
// the core's own start: a row per kind, each stating its outcome and how long it may take.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "CommandRow.h"
#include "Sandbox.h"
#include "core/app/App.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;
using test::Expected;
using test::kAnyFailure;
using test::Sandbox;

constexpr const char* kSettingsFile = "prog/KiroMeter2.INI";

// 50 MiB of well-formed lines after one real key, made once.
std::string HugeFile() {
    static const std::string made = [] {
        std::string content = "[Personal]\r\nHeight=181\r\n[Filler]\r\n";
        const std::string line = "K=0123456789012345678901234567890123456789\r\n";
        content.reserve(50u * 1024 * 1024 + line.size());
        while (content.size() < 50u * 1024 * 1024) content += line;
        return content;
    }();
    return made;
}

// Binary junk between real keys: NULs, 0xFF bytes, lone CRs, a section named in junk, a value
// that runs on after a lone CR, and a last line without a line break.
std::string JunkFile() {
    using namespace std::string_literals;
    return "[Advance]\r\nLanguage=1\r\n"s + "\0\0\xFF\xFE=\r\r[\0\xFF]\r\n\rHeight=5\r\n"s +
           "[Personal]\r\nHeight=180\rWeight=77\r\n\xFF\xFF\xFF\n"s +
           "[Summary\0]\r\nTotalSteps=\xFF"
           "12\r\n"s +
           "[Sleep]\r\nSlightMoving=\r\x00"s;
}

// 10 000 sections, the one that counts last.
std::string ManySectionsFile() {
    std::string content;
    for (int i = 0; i < 10000; ++i)
        content += "[Section" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n";
    return content + "[Personal]\r\nHeight=181\r\n";
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// No error for std::errc(), else that error.
bool Is(const std::error_code& error, std::errc expected) {
    return expected == std::errc() ? !error : error == expected;
}

struct SettingsRow {
    const char* name;                   // what breaks
    std::function<std::string()> file;  // the settings file before the run; null: none
    std::vector<std::string> arguments;
    Expected expected;
    // The settings file after the run, when the row states it: byte for byte as before unless
    // the row's own check says otherwise.
    std::function<void(const std::string& before, const std::string& after)> settingsAfter;
};

void Unchanged(const std::string& before, const std::string& after) {
    EXPECT_TRUE(before == after) << "the settings file changed";
}

const char* const kTooLarge = "(File too large): the defaults are used, and the file is left as it is";

TEST(SettingsFileRows, EachRowEndsAsItStatesInTime) {
    const std::vector<std::string> settings = {"--folder", "{prog}", "settings"};
    const std::vector<std::string> report = {"--folder", "{prog}", "report", "month", "2024-03-15"};
    const std::vector<std::string> summary = {"--folder", "{prog}", "summary"};
    const auto set = [](const std::string& section, const std::string& key, const std::string& value) {
        return std::vector<std::string>{"--folder", "{prog}", "settings", "set", section, key, value};
    };
    const SettingsRow rows[] = {
        // A 50 MiB file is no settings file: it is read no further than its first MiB, the
        // defaults are used with a message, and no write replaces it.
        {"50 MiB: settings gives the defaults",
         HugeFile,
         settings,
         {0, kTooLarge, "Personal.Height=0\n", 5000ms},
         Unchanged},
        {"50 MiB: the report still shows the stored month",
         HugeFile,
         report,
         {0, kTooLarge, "2024/03/15", 5000ms},
         Unchanged},
        {"50 MiB: summary", HugeFile, summary, {0, kTooLarge, "Total Distance", 5000ms}, Unchanged},
        {"50 MiB: a write is refused, never a replacement",
         HugeFile,
         set("Personal", "Weight", "70"),
         {1, "cannot write", "", 5000ms},
         Unchanged},

        // Junk between keys hides none of them, and a write keeps every byte of it.
        {"junk: the keys around it are read",
         JunkFile,
         settings,
         {0, "", "Advance.Language=1\nAdvance.EnableUpgrade=1", 5000ms},
         Unchanged},
        {"junk: a value that runs on after a lone CR reads to the CR",
         JunkFile,
         settings,
         {0, "", "Personal.Height=180\nPersonal.Weight=0\n", 5000ms},
         Unchanged},
        {"junk: report", JunkFile, report, {0, "", "2024/03/15", 5000ms}, Unchanged},
        {"junk: a write keeps the junk",
         JunkFile,
         set("Personal", "Weight", "70"),
         {0, "", "", 5000ms},
         [](const std::string& before, const std::string& after) {
             using namespace std::string_literals;
             for (const std::string& junk :
                  {"\0\0\xFF\xFE=\r\r[\0\xFF]"s, "Height=180\rWeight=77"s, "\xFF\xFF\xFF"s, "[Summary\0]"s,
                   "TotalSteps=\xFF"
                   "12"s,
                   "SlightMoving=\r\x00"s})
                 EXPECT_NE(after.find(junk), std::string::npos) << "lost: " << junk;
             EXPECT_NE(after.find("Weight=70\r\n"), std::string::npos);
             EXPECT_EQ(after.size(), before.size() + std::string("Weight=70\r\n").size() + 1)
                 << "the key line, and the one line that ended in LF alone now ending as the others";
         }},

        // A value holding line breaks is cut at the first: nothing after it becomes a key.
        {"a value with line breaks",
         nullptr,
         set("Advance", "UpdateURL", "http://x/\r\nLanguage=2\r\n[Personal]\r\nHeight=999"),
         {0, "", "", 5000ms},
         [](const std::string&, const std::string& after) {
             EXPECT_EQ(after, "[Advance]\r\nUpdateURL=http://x/\r\n");
         }},
        // Names that cannot be written as one are refused: they would inject lines or keys.
        {"a section name with line breaks",
         nullptr,
         set("Personal]\r\nHeight=999\r\n[X", "K", "V"),
         {1, "cannot be empty or hold a line break", "", 5000ms},
         Unchanged},
        {"a key name with line breaks",
         nullptr,
         set("Advance", "K\r\nLanguage", "2"),
         {1, "cannot be empty or hold a line break", "", 5000ms},
         Unchanged},
        {"a key name with '='",
         nullptr,
         set("Advance", "Language=2;x", "1"),
         {1, "nor a section name ']' or a key name '='", "", 5000ms},
         Unchanged},
        {"an empty key name",
         nullptr,
         set("Advance", "", "1"),
         {1, "cannot be empty", "", 5000ms},
         Unchanged},

        // 10 000 sections cost no more than a fraction of a second to read or to write.
        {"10 000 sections: settings",
         ManySectionsFile,
         settings,
         {0, "", "Personal.Height=181\n", 5000ms},
         Unchanged},
        {"10 000 sections: report", ManySectionsFile, report, {0, "", "2024/03/15", 5000ms}, Unchanged},
        {"10 000 sections: summary", ManySectionsFile, summary, {0, "", "Total Distance", 5000ms}, Unchanged},
        {"10 000 sections: a write keeps every section",
         ManySectionsFile,
         set("Personal", "Weight", "70"),
         {0, "", "", 5000ms},
         [](const std::string& before, const std::string& after) {
             EXPECT_EQ(Count(after, "\r\n[Section"), Count(before, "\r\n[Section"));
             EXPECT_EQ(after, before + "Weight=70\r\n");
         }},
    };
    for (const SettingsRow& row : rows) {
        Sandbox box;
        if (row.file) box.Write(kSettingsFile, row.file());
        const std::string before = box.Read(kSettingsFile);
        test::RunRow(box, row.name, row.arguments, row.expected);
        row.settingsAfter(before, box.Read(kSettingsFile));
    }
}

// The core's start over the same files: App::LoadSettings reads each within its bound, gives the
// values the file holds where it can be read, and the defaults with the error where it cannot.
TEST(SettingsFileRows, TheCoreLoadsEachFileWithinItsBound) {
    const struct {
        const char* name;
        std::function<std::string()> file;
        std::errc error;  // std::errc() for none
        int height;
        std::chrono::milliseconds bound;
    } rows[] = {
        {"50 MiB", HugeFile, std::errc::file_too_large, 0, 2000ms},
        {"junk", JunkFile, std::errc(), 180, 500ms},
        {"10 000 sections", ManySectionsFile, std::errc(), 181, 2000ms},
    };
    for (const auto& row : rows) {
        Sandbox box;
        box.Write(kSettingsFile, row.file());
        box.Seal();
        sim::FakeClock clock;
        sim::FixedLocale locale;
        NativeFileSystem files;
        App app(box.Prog(), clock, locale, files);
        const auto started = std::chrono::steady_clock::now();
        app.LoadSettings();
        test::ExpectWithin(row.name, std::chrono::steady_clock::now() - started, row.bound);
        EXPECT_TRUE(Is(app.Config().LoadError(), row.error))
            << row.name << ": " << app.Config().LoadError().message();
        EXPECT_EQ(app.Config().Values().height, row.height) << row.name;
        EXPECT_EQ(app.Config().Values().birthday, 20000201)
            << row.name << ": a key not there keeps its default";
        // A settings write meets the same file: refused for the one it cannot read.
        const std::error_code written = app.Config().SetSlightMoving(7);
        EXPECT_TRUE(Is(written, row.error)) << row.name << ": " << written.message();
        box.ExpectNothingLostOrLeaked(row.name);
    }
}

}  // namespace
}  // namespace kiro
