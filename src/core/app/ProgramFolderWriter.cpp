#include "core/app/ProgramFolderWriter.h"

namespace kiro {
namespace {

constexpr size_t kRecordLimit = 64 * 1024;

bool InDataFolder(const std::string& relativeName) {
    return relativeName.rfind("Data/", 0) == 0;
}

std::error_code UnlessMissing(const std::error_code& error) {
    return IsMissing(error) ? std::error_code{} : error;
}

}  // namespace

std::unique_ptr<FileLock> LockWaiting(FileSystem& files, Clock& clock, const std::string& path,
                                      std::error_code& error) {
    for (uint32_t waited = 0;; waited += kLockRetryMs) {
        if (auto lock = files.TryLock(path, error)) return lock;
        if (error != std::errc::resource_unavailable_try_again) return nullptr;
        if (waited >= kLockWaitMs) {
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

ProgramFolderWriter::Hold ProgramFolderWriter::Lock() {
    // Without a folder (the working directory was gone at start) nothing may be written.
    if (paths_.Folder().empty())
        return Hold(nullptr, std::make_error_code(std::errc::no_such_file_or_directory));
    if (depth_ > 0) {
        ++depth_;
        return Hold(this, {});
    }
    const std::string lockPath = paths_.File(kLockFileName);
    std::error_code error;
    lock_ = LockWaiting(files_, clock_, lockPath, error);
    // The command line may name a program folder that does not exist yet.
    if (!lock_ && IsMissing(error) && !files_.MakeFolder(paths_.Folder()))
        lock_ = LockWaiting(files_, clock_, lockPath, error);
    if (!lock_) return Hold(nullptr, error);
    depth_ = 1;
    return Hold(this, {});
}

std::error_code ProgramFolderWriter::Apply(const CommitRecord& record) {
    bool dataChanged = false;
    for (const std::string& name : record.replaced) {
        // A staged file that is gone was renamed before: finishing a record may repeat itself.
        if (const auto error =
                UnlessMissing(files_.Rename(paths_.File(StagedNameOf(name)), paths_.File(name))))
            return error;
        dataChanged = dataChanged || InDataFolder(name);
    }
    for (const std::string& name : record.removed) {
        if (const auto error = UnlessMissing(files_.Remove(paths_.File(name)))) return error;
        dataChanged = dataChanged || InDataFolder(name);
    }
    if (dataChanged)
        if (const auto error = files_.SyncFolder(paths_.DataFolder())) return error;
    return files_.SyncFolder(paths_.Folder());
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
    return UnlessMissing(files_.Remove(recordPath));
}

namespace {

// A staged file that no commit record names any more: "<committed file>.tmp".
bool IsStagedName(std::string_view relativeName) {
    constexpr std::string_view suffix = ".tmp";
    return relativeName.size() > suffix.size() &&
           relativeName.substr(relativeName.size() - suffix.size()) == suffix &&
           IsCommittedFile(relativeName.substr(0, relativeName.size() - suffix.size()));
}

}  // namespace

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
    std::vector<std::string> leftovers = Leftovers();
    if (!recordLeft && leftovers.empty()) return {};
    const Hold hold = Lock();
    if (!hold) return hold.Error();
    if (const auto error = Recover()) return error;
    // Listed again under the lock: another program may have committed in the meantime.
    for (const std::string& name : Leftovers()) files_.Remove(paths_.File(name));
    return {};
}

FolderTransaction ProgramFolderWriter::Begin() {
    // A record still in the folder names staged files that this transaction could overwrite.
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
    record_.replaced.push_back(relativeName);
    Fail(files.WriteFile(paths.File(StagedNameOf(relativeName)), content, Durability::Flushed));
}

void FolderTransaction::Remove(const std::string& relativeName) {
    if (error_ || done_) return;
    if (!IsCommittedFile(relativeName)) return Fail(std::make_error_code(std::errc::invalid_argument));
    record_.removed.push_back(relativeName);
}

void FolderTransaction::Discard() {
    done_ = true;
    for (const std::string& name : record_.replaced)
        writer_->files_.Remove(writer_->paths_.File(StagedNameOf(name)));
    record_ = {};
}

std::error_code FolderTransaction::Commit() {
    if (done_) return error_;
    if (error_) {
        Discard();
        return error_;
    }
    done_ = true;
    if (record_.Empty()) return {};
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
    // The staged files' names must be on the disk before a record can send anyone to them.
    for (const std::string& name : record_.replaced)
        if (InDataFolder(name)) {
            if (const auto error = files.SyncFolder(paths.DataFolder())) return abandon(error);
            break;
        }
    if (const auto error = files.WriteFile(recordPath, FormatCommitRecord(record_), Durability::Flushed))
        return abandon(error);
    if (const auto error = files.SyncFolder(paths.Folder())) return abandon(error);
    // From here the record stands: what Apply cannot finish, the next start or write finishes.
    if (const auto error = writer_->Apply(record_)) return error_ = error;
    // A record left behind is finished again by the next writer, which changes nothing.
    files.Remove(recordPath);
    return {};
}

}  // namespace kiro
