#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kiro {

// What a folder entry is, seen without following links.
enum class EntryKind { Regular, Folder, Link, Other };

struct FolderEntry {
    std::string name;
    EntryKind kind = EntryKind::Other;
};

struct FolderListing {
    // Set when the folder could not be read to its end: the entries are then not the whole folder.
    std::error_code error;
    std::vector<FolderEntry> entries;
};

struct FileContent {
    std::error_code error;
    std::string bytes;
};

// What ReadFile does with a file longer than its limit.
enum class OverLimit {
    Refuse,     // file_too_large, nothing read
    ReadStart,  // the first `limit` bytes
};

// Whether WriteFile's bytes must be on the disk when it returns.
enum class Durability { Flushed, Unflushed };

// A regular file being written piece by piece (a download). Destroying it without Close()
// closes it; what was appended stays.
class WritableFile {
  public:
    virtual ~WritableFile() = default;
    virtual std::error_code Append(std::string_view bytes) = 0;
    // Flushes the bytes to the disk and closes the file.
    virtual std::error_code Close() = 0;
};

// A regular file being read piece by piece (a file too large to hold whole). Destroying it
// closes it.
class ReadableFile {
  public:
    virtual ~ReadableFile() = default;
    // The next bytes of the file, at most `limit` of them, in place of what `into` held; `into`
    // is empty at the end of the file.
    virtual std::error_code Read(std::string& into, size_t limit) = 0;
};

// An advisory lock, held until the object is destroyed (or the process ends).
class FileLock {
  public:
    virtual ~FileLock() = default;
};

// The file operations of the program folder and the watch disk. The adapter never follows a
// symbolic link, so a link planted on a watch disk can neither be read nor be written through;
// tests put their own implementation in its place to fail or freeze any operation.
//
// Errors are portable codes: no_such_file_or_directory for a missing file,
// too_many_symbolic_link_levels for a link, is_a_directory or invalid_argument for anything else
// that is not a regular file, file_too_large beyond a read limit, and the system's own error
// for everything else.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Reads a regular file whole, at most `limit` bytes (see OverLimit).
    virtual FileContent ReadFile(const std::string& path, size_t limit, OverLimit overLimit) = 0;
    // Opens a regular file to Read it piece by piece; null (and the error) when it cannot.
    virtual std::unique_ptr<ReadableFile> OpenToRead(const std::string& path, std::error_code& error) = 0;
    // True when the path is a regular file that can be opened for reading.
    virtual bool OpensForReading(const std::string& path) = 0;
    // Creates or truncates a regular file and writes all the bytes; with Flushed they are on the
    // disk when it returns without error.
    virtual std::error_code WriteFile(const std::string& path, std::string_view bytes,
                                      Durability durability) = 0;
    // Copies a regular file whole into `to`, created or truncated, and flushed; a link as either
    // of them is refused, and so is a target that is the source itself.
    virtual std::error_code CopyFile(const std::string& from, const std::string& to) = 0;
    // Copies a regular file whole into `to`, which it creates: when anything is there already
    // (file_exists), a link planted there included, nothing is written. Flushed.
    virtual std::error_code CopyFileToNew(const std::string& from, const std::string& to) = 0;
    // Creates or truncates a regular file for Append; null (and the error) when it cannot.
    virtual std::unique_ptr<WritableFile> CreateFile(const std::string& path, std::error_code& error) = 0;
    // The size of a regular file.
    virtual std::error_code SizeOf(const std::string& path, uint64_t& size) = 0;
    // Lets everyone run the file as a program (a downloaded program, the updater written out);
    // the new mode is on the disk when it returns without error.
    virtual std::error_code MakeExecutable(const std::string& path) = 0;
    // Replaces `to` by `from` in one step.
    virtual std::error_code Rename(const std::string& from, const std::string& to) = 0;
    // Removes a file; a link is removed itself, never what it points to.
    virtual std::error_code Remove(const std::string& path) = 0;
    // Creates one folder; one that exists already is no error.
    virtual std::error_code MakeFolder(const std::string& path) = 0;
    // Makes the names in a folder (renames, new and removed files) last through a power cut.
    virtual std::error_code SyncFolder(const std::string& path) = 0;
    // Whether this process may put another file in place of `path`: it may write the file and
    // the folder that holds it. A program installed for the whole system is not the user's to
    // replace.
    virtual bool MayReplace(const std::string& path) = 0;
    virtual FolderListing ListFolder(const std::string& path) = 0;
    // One attempt at an exclusive lock: on a file (created when missing) or on a folder itself.
    // Another holder gives resource_unavailable_try_again.
    virtual std::unique_ptr<FileLock> TryLock(const std::string& path, std::error_code& error) = 0;
    // One attempt at a shared lock on a file, which any number of holders may have at once but
    // none while an exclusive lock is held. An existing file is opened for reading only, so
    // that a folder the process may only read can still be read under the lock; a missing one
    // is created.
    virtual std::unique_ptr<FileLock> TryLockShared(const std::string& path, std::error_code& error) = 0;
};

inline bool IsMissing(const std::error_code& error) {
    return error == std::errc::no_such_file_or_directory;
}

}  // namespace kiro
