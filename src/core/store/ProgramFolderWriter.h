#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/base/ProgramFolder.h"
#include "core/store/CommitRecord.h"
#include "core/system/Clock.h"
#include "core/system/FileSystem.h"

namespace kiro {

class FolderTransaction;

// How long a program waits for another one to let go of a lock before it gives up, and how often
// it tries meanwhile.
inline constexpr uint32_t kLockWaitMs = 5000;
inline constexpr uint32_t kLockRetryMs = 100;

enum class LockKind { Exclusive, Shared };

// Takes a lock on a file (an exclusive one also on a folder), trying again while another program
// holds it; after `waitMs` the error is device_or_resource_busy.
std::unique_ptr<FileLock> LockWaiting(FileSystem& files, Clock& clock, const std::string& path, LockKind kind,
                                      uint32_t waitMs, std::error_code& error);

// The one way the program changes the files of its folder. Every change happens under the
// folder's exclusive lock, which serialises this program, the command line and any other copy of
// either; readers hold it shared. Inside it, the new contents are staged beside their targets
// under names that carry a hash of the content and flushed, a commit record naming them is
// flushed, the renames follow, and the record goes: a crash or a power cut at any moment leaves
// either none or all of a commit, once the next holder of the lock has finished the record it
// finds. Whoever takes the lock finishes such a record before anything else, so nobody reads or
// builds on a half-made commit.
class ProgramFolderWriter {
  public:
    ProgramFolderWriter(FileSystem& files, Clock& clock, const ProgramPaths& paths);
    ProgramFolderWriter(const ProgramFolderWriter&) = delete;
    ProgramFolderWriter& operator=(const ProgramFolderWriter&) = delete;

    // The folder's lock while it lives. Within this process holds nest: work that runs in the
    // middle of a collection (events pumped by it) shares the collection's hold.
    class Hold {
      public:
        Hold(Hold&& other) noexcept : writer_(other.writer_), error_(other.error_) {
            other.writer_ = nullptr;
        }
        Hold& operator=(Hold&&) = delete;
        ~Hold();
        explicit operator bool() const { return !error_; }
        // device_or_resource_busy when another program kept the folder past the wait; the error
        // of a commit record that could not be finished.
        const std::error_code& Error() const { return error_; }

      private:
        friend class ProgramFolderWriter;
        Hold(ProgramFolderWriter* writer, std::error_code error) : writer_(writer), error_(error) {}
        ProgramFolderWriter* writer_;
        std::error_code error_;
    };
    // The exclusive lock, for changes. A commit record found when it is taken is finished first;
    // one that cannot be finished is the hold's error, and the lock is not kept.
    Hold Lock();
    // The shared lock, for reading files of the folder together, as they stand between commits.
    // When a commit record is found, the lock is taken exclusive instead and the record finished.
    // A folder whose lock file this process may not create is read without the lock: no program
    // can be changing it either. Nests inside any hold of this process.
    Hold ReadLock();
    // Whether this process holds the exclusive lock.
    bool Locked() const { return depth_ > 0 && exclusive_; }

    // The first work of every start: finishes a commit record left by a crash and removes staged
    // files that no record names. Takes the lock only when there is something to do; gives
    // device_or_resource_busy (and leaves everything) when another program holds it.
    std::error_code RecoverAtStart();
    // Finishes or discards a commit record left in the folder; the lock must be held.
    std::error_code Recover();

    // A new set of changes; the lock must be held until it is committed or dropped.
    FolderTransaction Begin();
    // Takes the lock, lets `stage` fill one transaction and commits it.
    std::error_code Change(const std::function<void(FolderTransaction&)>& stage);

    FileSystem& Files() { return files_; }
    const ProgramPaths& Paths() const { return paths_; }

  private:
    friend class FolderTransaction;
    // Waits for the lock file, or not at all when the folder was found busy a moment ago: one
    // user action gives up after one wait in all, however many locks it asks for.
    std::unique_ptr<FileLock> Acquire(LockKind kind, std::error_code& error);
    // Performs the renames and removals of a record that is safely on the disk, and flushes the
    // folders they changed.
    std::error_code Apply(const CommitRecord& record);
    // Staged files in the folder and its Data folder, by relative name.
    std::vector<std::string> Leftovers();

    FileSystem& files_;
    Clock& clock_;
    const ProgramPaths& paths_;
    std::unique_ptr<FileLock> lock_;
    int depth_ = 0;
    bool exclusive_ = false;
    bool busyRecently_ = false;
    uint32_t busyTick_ = 0;
};

// One commit in the making. Files staged and not committed are removed when it goes.
class FolderTransaction {
  public:
    FolderTransaction(FolderTransaction&& other) noexcept;
    FolderTransaction& operator=(FolderTransaction&&) = delete;
    ~FolderTransaction();

    // Stages the new content of a program folder file (relative name) and flushes it.
    void Replace(const std::string& relativeName, std::string_view content);
    // The file goes with the commit.
    void Remove(const std::string& relativeName);
    // Makes every change take effect together. The first error of staging is returned here; an
    // error before the record is on the disk leaves everything as it was.
    std::error_code Commit();
    // An error that makes the commit impossible, set by a caller that read something it needs
    // and could not (an unreadable month): the commit then changes nothing.
    void Fail(const std::error_code& error);
    bool Failed() const { return static_cast<bool>(error_); }

  private:
    friend class ProgramFolderWriter;
    FolderTransaction(ProgramFolderWriter& writer, std::error_code error) : writer_(&writer), error_(error) {}
    void Discard();
    // A commit of one file and nothing else: its rename alone is atomic, no record is needed.
    std::error_code CommitOneFile();
    std::error_code CommitWithRecord();

    ProgramFolderWriter* writer_;
    CommitRecord record_;
    std::error_code error_;
    bool done_ = false;
};

}  // namespace kiro
