#include "core/store/ProgramFolderWriter.h"

namespace kiro {
namespace {

constexpr size_t kRecordLimit = 64 * 1024;

bool InDataFolder(const std::string& relativeName) {
    return relativeName.rfind("Data/", 0) == 0;
}

std::error_code UnlessMissing(const std::error_code& error) {
    return IsMissing(error) ? std::error_code{} : error;
}

// A lock file that cannot be there: the folder is gone, or this process may only read it. No
// program can be writing such a folder either.
bool NoLockPossible(const std::error_code& error) {
    return IsMissing(error) || error == std::errc::read_only_file_system ||
           error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
}

}  // namespace

std::unique_ptr<FileLock> LockWaiting(FileSystem& files, Clock& clock, const std::string& path, LockKind kind,
                                      uint32_t waitMs, std::error_code& error) {
    for (uint32_t waited = 0;; waited += kLockRetryMs) {
        auto lock =
            kind == LockKind::Exclusive ? files.TryLock(path, error) : files.TryLockShared(path, error);
        if (lock) return lock;
        if (error != std::errc::resource_unavailable_try_again) return nullptr;
        if (waited >= waitMs) {
            error = std::make_error_code(std::errc::device_or_resource_busy);
            return nullptr;
        }
        clock.Sleep(kLockRetryMs);
    }
}

ProgramFolderWriter::ProgramFolderWriter(FileSystem& files, Clock& clock, const ProgramPaths& paths)
    : files_(files), clock_(clock), paths_(paths) {}

ProgramFolderWriter::Hold::~Hold() {
    if (writer_ && --writer_->depth_ == 0) writer_->lock_.reset();
}

std::unique_ptr<FileLock> ProgramFolderWriter::Acquire(LockKind kind, std::error_code& error) {
    const bool waitedJustNow = busyRecently_ && clock_.TickCount() - busyTick_ < kLockWaitMs;
    auto lock =
        LockWaiting(files_, clock_, paths_.File(kLockFileName), kind, waitedJustNow ? 0 : kLockWaitMs, error);
    if (error == std::errc::device_or_resource_busy) {
        // The time of the first give-up counts, so a run of attempts ends within one wait.
        if (!waitedJustNow) busyTick_ = clock_.TickCount();
        busyRecently_ = true;
    } else if (lock) {
        busyRecently_ = false;
    }
    return lock;
}

ProgramFolderWriter::Hold ProgramFolderWriter::Lock() {
    // Without a folder (the working directory was gone at start) nothing may be written.
    if (paths_.Folder().empty())
        return Hold(nullptr, std::make_error_code(std::errc::no_such_file_or_directory));
    if (depth_ > 0) {
        // A reader of this process that asked to write would wait for itself.
        if (!exclusive_) return Hold(nullptr, std::make_error_code(std::errc::resource_deadlock_would_occur));
        ++depth_;
        return Hold(this, {});
    }
    std::error_code error;
    lock_ = Acquire(LockKind::Exclusive, error);
    // The command line may name a program folder that does not exist yet.
    if (!lock_ && IsMissing(error) && !files_.MakeFolder(paths_.Folder()))
        lock_ = Acquire(LockKind::Exclusive, error);
    if (!lock_) return Hold(nullptr, error);
    depth_ = 1;
    exclusive_ = true;
    Hold hold(this, {});
    // Nothing a commit could change may be read before the commit is whole.
    if ((hold.error_ = Recover())) {
        depth_ = 0;
        lock_.reset();
        hold.writer_ = nullptr;
    }
    return hold;
}

ProgramFolderWriter::Hold ProgramFolderWriter::ReadLock() {
    if (paths_.Folder().empty()) return Hold(nullptr, {});
    if (depth_ > 0) {
        ++depth_;
        return Hold(this, {});
    }
    std::error_code error;
    lock_ = Acquire(LockKind::Shared, error);
    if (!lock_) return Hold(nullptr, NoLockPossible(error) ? std::error_code{} : error);
    depth_ = 1;
    exclusive_ = false;
    if (IsMissing(files_.ReadFile(paths_.File(kCommitRecordName), 0, OverLimit::ReadStart).error))
        return Hold(this, {});
    // A record to finish: that takes the lock exclusive.
    depth_ = 0;
    lock_.reset();
    return Lock();
}

std::error_code ProgramFolderWriter::Apply(const CommitRecord& record) {
    bool dataChanged = false;
    bool folderChanged = false;
    const auto changed = [&](const std::string& name) {
        (InDataFolder(name) ? dataChanged : folderChanged) = true;
    };
    for (const StagedFile& file : record.replaced) {
        // A staged file that is gone was renamed before: finishing a record may repeat itself,
        // and a file staged by another commit carries another content in its name.
        if (const auto error =
                UnlessMissing(files_.Rename(paths_.File(StagedNameOf(file)), paths_.File(file.name))))
            return error;
        changed(file.name);
    }
    for (const std::string& name : record.removed) {
        if (const auto error = UnlessMissing(files_.Remove(paths_.File(name)))) return error;
        changed(name);
    }
    // The changes must be on the disk before the record that vouches for them goes.
    if (dataChanged)
        if (const auto error = files_.SyncFolder(paths_.DataFolder())) return error;
    if (folderChanged) return files_.SyncFolder(paths_.Folder());
    return {};
}

std::error_code ProgramFolderWriter::Recover() {
    const std::string recordPath = paths_.File(kCommitRecordName);
    const FileContent content = files_.ReadFile(recordPath, kRecordLimit, OverLimit::Refuse);
    if (IsMissing(content.error)) return {};
    if (content.error && content.error != std::errc::file_too_large) return content.error;
    if (const auto record = content.error ? std::nullopt : ParseCommitRecord(content.bytes))
        if (const auto error = Apply(*record)) return error;
    // A record that is not whole was cut short while it was written, before its first rename:
    // its commit never began, and its staged files are leftovers.
    if (const auto error = UnlessMissing(files_.Remove(recordPath))) return error;
    return files_.SyncFolder(paths_.Folder());
}

std::vector<std::string> ProgramFolderWriter::Leftovers() {
    std::vector<std::string> found;
    for (const std::string folder : {"", kDataFolderName}) {
        const std::string prefix = folder.empty() ? "" : folder + "/";
        for (const FolderEntry& entry : files_.ListFolder(paths_.File(folder)).entries)
            if (entry.kind == EntryKind::Regular && IsStagedName(prefix + entry.name))
                found.push_back(prefix + entry.name);
    }
    return found;
}

std::error_code ProgramFolderWriter::RecoverAtStart() {
    if (paths_.Folder().empty()) return {};
    // The lock is taken only when there is something to finish, so that a program that only
    // reads does not wait for one that writes.
    const bool recordLeft =
        !IsMissing(files_.ReadFile(paths_.File(kCommitRecordName), 0, OverLimit::ReadStart).error);
    if (!recordLeft && Leftovers().empty()) return {};
    const Hold hold = Lock();
    if (!hold) return hold.Error();
    // Listed again under the lock: another program may have committed in the meantime.
    for (const std::string& name : Leftovers()) files_.Remove(paths_.File(name));
    return {};
}

FolderTransaction ProgramFolderWriter::Begin() {
    // A record still in the folder names staged files that this transaction would build on.
    return FolderTransaction(*this,
                             Locked() ? Recover() : std::make_error_code(std::errc::operation_not_permitted));
}

std::error_code ProgramFolderWriter::Change(const std::function<void(FolderTransaction&)>& stage) {
    const Hold hold = Lock();
    if (!hold) return hold.Error();
    FolderTransaction transaction = Begin();
    stage(transaction);
    return transaction.Commit();
}

FolderTransaction::FolderTransaction(FolderTransaction&& other) noexcept
    : writer_(other.writer_), record_(std::move(other.record_)), error_(other.error_), done_(other.done_) {
    other.done_ = true;
}

FolderTransaction::~FolderTransaction() {
    if (!done_) Discard();
}

void FolderTransaction::Fail(const std::error_code& error) {
    if (!error_) error_ = error;
}

void FolderTransaction::Replace(const std::string& relativeName, std::string_view content) {
    if (error_ || done_) return;
    if (!IsCommittedFile(relativeName)) return Fail(std::make_error_code(std::errc::invalid_argument));
    FileSystem& files = writer_->files_;
    const ProgramPaths& paths = writer_->paths_;
    if (InDataFolder(relativeName))
        if (const auto error = files.MakeFolder(paths.DataFolder())) return Fail(error);
    // Named before it is written, so that a write cut short is removed with the rest.
    record_.replaced.push_back({relativeName, StagedContentHash(content)});
    Fail(files.WriteFile(paths.File(StagedNameOf(record_.replaced.back())), content, Durability::Flushed));
}

void FolderTransaction::Remove(const std::string& relativeName) {
    if (error_ || done_) return;
    if (!IsCommittedFile(relativeName)) return Fail(std::make_error_code(std::errc::invalid_argument));
    record_.removed.push_back(relativeName);
}

void FolderTransaction::Discard() {
    done_ = true;
    for (const StagedFile& file : record_.replaced)
        writer_->files_.Remove(writer_->paths_.File(StagedNameOf(file)));
    record_.replaced.clear();
    record_.removed.clear();
}

std::error_code FolderTransaction::Commit() {
    if (done_) return error_;
    if (error_) {
        Discard();
        return error_;
    }
    done_ = true;
    if (record_.Empty()) return {};
    return record_.removed.empty() && record_.replaced.size() == 1 ? CommitOneFile() : CommitWithRecord();
}

std::error_code FolderTransaction::CommitOneFile() {
    FileSystem& files = writer_->files_;
    const ProgramPaths& paths = writer_->paths_;
    const StagedFile& file = record_.replaced.front();
    if (const auto error = files.Rename(paths.File(StagedNameOf(file)), paths.File(file.name))) {
        done_ = false;
        Discard();
        return error_ = error;
    }
    return error_ = files.SyncFolder(InDataFolder(file.name) ? paths.DataFolder() : paths.Folder());
}

std::error_code FolderTransaction::CommitWithRecord() {
    FileSystem& files = writer_->files_;
    const ProgramPaths& paths = writer_->paths_;
    const std::string recordPath = paths.File(kCommitRecordName);
    const auto abandon = [&](const std::error_code& error) {
        files.Remove(recordPath);
        done_ = false;
        Discard();
        error_ = error;
        return error;
    };
    // The staged files' names must be on the disk before a record can send anyone to them, and
    // so must the removal of the last record before a new one takes its name.
    for (const StagedFile& file : record_.replaced)
        if (InDataFolder(file.name)) {
            if (const auto error = files.SyncFolder(paths.DataFolder())) return abandon(error);
            break;
        }
    if (const auto error = files.SyncFolder(paths.Folder())) return abandon(error);
    if (const auto error = files.WriteFile(recordPath, FormatCommitRecord(record_), Durability::Flushed))
        return abandon(error);
    if (const auto error = files.SyncFolder(paths.Folder())) return abandon(error);
    // From here the record stands: what Apply cannot finish, the next holder of the lock finishes.
    if (const auto error = writer_->Apply(record_)) return error_ = error;
    // The removal reaches the disk with the flush before the next record (a record that comes
    // back after a power cut meanwhile is finished again, which changes nothing: its staged files
    // are gone, and no other commit's carry its name).
    files.Remove(recordPath);
    return {};
}

}  // namespace kiro
