// The commit record a crash may leave in the program folder, read at the next start. A record
// read is written back the same way; finishing one changes exactly the files it names, as its
// renames and removals say, and leaves no record and no staged file behind. Input
// (FuzzedDataProvider): which of four committed files exist and have staged contents, then the
// record.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "core/app/App.h"
#include "core/store/CommitRecord.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"

using namespace kiro;

namespace {

constexpr const char* kNames[] = {"KiroMeter2.INI", "ImportJournal.txt", "Data/Kiro201405.BIN",
                                  "Data/Kiro201406.BIN"};

// The files of the folder by name, with their contents.
using FolderState = std::map<std::string, std::string>;

FolderState Snapshot(const std::string& root) {
    FolderState state;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            state[std::filesystem::relative(entry.path(), root).string()] =
                test::TempFolder::ReadFile(entry.path().string());
    return state;
}

void CheckText(const std::string& text, const std::optional<CommitRecord>& record) {
    if (!record) return;
    for (const StagedFile& file : record->replaced)
        fuzz::Require(IsCommittedFile(file.name), "a record names only the program's own files");
    for (const std::string& name : record->removed)
        fuzz::Require(IsCommittedFile(name), "a record names only the program's own files");
    const std::string written = FormatCommitRecord(*record);
    fuzz::Require(ParseCommitRecord(written) == record, "a record reads back as it was written");
    if (text.find("\nremove ") == std::string::npos || text.rfind("\nreplace ") < text.find("\nremove "))
        fuzz::Require(written == text, "a record in the written order is written as it was read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFolder folder;
    FuzzedDataProvider input(data, size);
    const auto present = input.ConsumeIntegral<uint8_t>();
    const auto staged = input.ConsumeIntegral<uint8_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    const std::optional<CommitRecord> record = ParseCommitRecord(text);
    CheckText(text, record);

    // Staged files under the names the record gives them (their contents' hashes, or none in the
    // earlier format), or under the name of their own content where the record names none.
    const auto stagedName = [&record](const std::string& name) {
        if (record)
            for (const StagedFile& file : record->replaced)
                if (file.name == name) return StagedNameOf(file);
        return StagedNameOf({name, StagedContentHash("new " + name)});
    };
    folder.Empty();
    for (size_t i = 0; i < std::size(kNames); ++i) {
        const std::string name = kNames[i];
        if (present & (1u << i)) folder.Folder().Write(name, "old " + name);
        if (staged & (1u << i)) folder.Folder().Write(stagedName(name), "new " + name);
    }
    folder.Folder().Write(kCommitRecordName, text);

    // What finishing the record must leave: its renames, then its removals, and nothing staged.
    FolderState expected = Snapshot(folder.Path());
    expected.erase(kCommitRecordName);
    if (record) {
        for (const StagedFile& file : record->replaced) {
            const auto stagedFile = expected.find(StagedNameOf(file));
            if (stagedFile == expected.end()) continue;
            expected[file.name] = stagedFile->second;
            expected.erase(stagedFile);
        }
        for (const std::string& name : record->removed) expected.erase(name);
    }
    for (const char* name : kNames) expected.erase(stagedName(name));

    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeFileSystem files;
    App app(folder.Path(), clock, locale, files);
    fuzz::Require(!app.Start(), "a record left in the folder is finished at start");
    FolderState after = Snapshot(folder.Path());
    after.erase(kLockFileName);
    fuzz::Require(after == expected, "finishing a record changes exactly the files it names");
    return 0;
}
