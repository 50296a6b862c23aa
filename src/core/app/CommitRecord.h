#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiro {

// The record of one commit in the program folder: which files take the content staged beside
// them ("<name>.tmp") and which files go. It is written and flushed before the first rename and
// removed after the last, so that a start after a crash knows exactly what to finish.
struct CommitRecord {
    std::vector<std::string> replaced;  // names relative to the program folder
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

// Where the new content of a committed file waits for its commit.
inline std::string StagedNameOf(std::string_view relativeName) {
    return std::string(relativeName) + ".tmp";
}

}  // namespace kiro
