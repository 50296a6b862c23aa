#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// A file a commit puts in place: its name relative to the program folder, and a hash of the
// content staged for it, which the staged file's name carries. 0 for a record of the earlier
// format, whose staged files are named "<name>.tmp".
struct StagedFile {
    std::string name;
    uint64_t content = 0;

    bool operator==(const StagedFile&) const = default;
};

// The record of one commit in the program folder: which files take the content staged beside
// them and which files go. It is written and flushed before the first rename and removed after
// the last, so that a start after a crash knows exactly what to finish.
//
// A staged file is named by its content, so a record can only ever put in place the very
// content it was written for: finishing a stale record again (one whose removal a power cut
// took back) finds its staged files gone, and any file another commit staged under the same
// target carries another name, or the same content.
struct CommitRecord {
    std::vector<StagedFile> replaced;
    std::vector<std::string> removed;

    bool Empty() const { return replaced.empty() && removed.empty(); }
    bool operator==(const CommitRecord&) const = default;
};

// The text of a record: a head line, one line per change, and a check line that holds a hash
// of everything before it.
std::string FormatCommitRecord(const CommitRecord& record);

// The record a text holds; nothing when it is not a whole record (one cut short by a crash
// while it was written) or names anything but the program's own data files.
std::optional<CommitRecord> ParseCommitRecord(std::string_view text);

// The files a commit may change: the settings file, the import journal and month files.
bool IsCommittedFile(std::string_view relativeName);

// The hash of a content as a staged file's name carries it; never 0.
uint64_t StagedContentHash(std::string_view content);

// Where new content waits for its commit: "<name>.<hash, 16 hexadecimal digits>.tmp", or
// "<name>.tmp" for a record of the earlier format.
std::string StagedNameOf(const StagedFile& file);

// Whether a name is that of a staged file of any commit.
bool IsStagedName(std::string_view relativeName);

}  // namespace kiro
