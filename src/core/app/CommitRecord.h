#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// The record of one commit in the program folder: which files take the content staged beside
// them and which files go. It is written and flushed before the first rename and removed after
// the last, so that a start after a crash knows exactly what to finish.
//
// Every commit has an identity that the names of its staged files carry, so that a record can
// only ever install the files of its own commit, never those another commit staged under the
// same target. Records of the earlier format have none (id 0): their staged files are named
// "<name>.tmp".
struct CommitRecord {
    uint64_t id = 0;
    std::vector<std::string> replaced;  // names relative to the program folder
    std::vector<std::string> removed;

    bool Empty() const { return replaced.empty() && removed.empty(); }
    bool operator==(const CommitRecord&) const = default;
};

// The text of a record: a head line with the identity, one line per change, and a check line
// that holds a hash of everything before it.
std::string FormatCommitRecord(const CommitRecord& record);

// The record a text holds; nothing when it is not a whole record (one cut short by a crash
// while it was written) or names anything but the program's own data files.
std::optional<CommitRecord> ParseCommitRecord(std::string_view text);

// The files a commit may change: the settings file, the import journal and month files.
bool IsCommittedFile(std::string_view relativeName);

// Where the new content of a committed file waits for the commit `id`:
// "<name>.<id, 16 hexadecimal digits>.tmp" ("<name>.tmp" for id 0).
std::string StagedNameOf(std::string_view relativeName, uint64_t id);

// Whether a name is that of a staged file of any commit.
bool IsStagedName(std::string_view relativeName);

}  // namespace kiro
