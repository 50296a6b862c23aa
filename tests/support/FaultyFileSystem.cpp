#include "support/FaultyFileSystem.h"

#include <algorithm>
#include <cerrno>

#include "support/TempFolder.h"

namespace kiro::test {

// A file being appended to in a tracked folder: its content counts as flushed once it is closed.
class FaultyFileSystem::TrackedFile final : public WritableFile {
  public:
    TrackedFile(std::unique_ptr<WritableFile> real, FaultyFileSystem& files, std::string path)
        : real_(std::move(real)), files_(files), path_(std::move(path)) {}

    std::error_code Append(std::string_view bytes) override { return real_->Append(bytes); }
    std::error_code Close() override {
        if (const auto error = files_.NextChange("close", path_)) return error;
        const std::error_code error = real_->Close();
        if (!error && files_.Tracked(path_)) files_.durable_->Wrote(path_, TempFolder::ReadFile(path_), true);
        return error;
    }

  private:
    std::unique_ptr<WritableFile> real_;
    FaultyFileSystem& files_;
    std::string path_;
};

void FaultyFileSystem::FailFrom(int change, std::error_code error) {
    failFrom_ = change;
    failError_ = error;
}

void FaultyFileSystem::CrashAt(int change) {
    crashAt_ = change;
}

void FaultyFileSystem::TrackDurability(const std::string& root) {
    durable_ = std::make_unique<DurableFolderModel>(root);
}

void FaultyFileSystem::PowerCutAt(int change) {
    crashAt_ = change;
    powerCut_ = true;
}

void FaultyFileSystem::FailPath(std::string part, std::error_code error) {
    failPath_ = std::move(part);
    failPathError_ = error;
}

void FaultyFileSystem::FailRead(std::string part, std::error_code error) {
    failRead_ = std::move(part);
    failReadError_ = error;
}

void FaultyFileSystem::BeforeChange(int change, std::function<void()> action) {
    actionAt_ = change;
    action_ = std::move(action);
}

void FaultyFileSystem::FailListing(std::string part, std::error_code error) {
    failListing_ = std::move(part);
    failListingError_ = error;
}

std::string FaultyFileSystem::Named(const std::string& path) const {
    return durable_ ? durable_->NameOf(path) : path;
}

std::error_code FaultyFileSystem::NextChange(const std::string& what, const std::string& path,
                                             const std::string& secondPath) {
    ++changes_;
    if (changes_ == actionAt_ && action_) action_();
    std::string entry = what;
    entry.append(1, ' ').append(Named(path));
    if (!secondPath.empty()) entry.append(1, ' ').append(Named(secondPath));
    log_.push_back(std::move(entry));
    if (crashAt_ > 0 && changes_ >= crashAt_ && !crashed_) {
        crashed_ = true;
        if (powerCut_ && durable_) durable_->CutPower();
    }
    if (crashed_) return std::make_error_code(std::errc::io_error);
    if (failFrom_ > 0 && changes_ >= failFrom_) return failError_;
    for (const std::string* touched : {&path, &secondPath})
        if (!failPath_.empty() && !touched->empty() && touched->find(failPath_) != std::string::npos)
            return failPathError_;
    return {};
}

FileContent FaultyFileSystem::ReadFile(const std::string& path, size_t limit, OverLimit overLimit) {
    reads_.push_back(path);
    if (!failRead_.empty() && path.find(failRead_) != std::string::npos) return {failReadError_, {}};
    return real_.ReadFile(path, limit, overLimit);
}

std::unique_ptr<ReadableFile> FaultyFileSystem::OpenToRead(const std::string& path, std::error_code& error) {
    reads_.push_back(path);
    if (!failRead_.empty() && path.find(failRead_) != std::string::npos) {
        error = failReadError_;
        return nullptr;
    }
    return real_.OpenToRead(path, error);
}

int FaultyFileSystem::ReadsOf(const std::string& part) const {
    return static_cast<int>(std::count_if(reads_.begin(), reads_.end(), [&part](const std::string& path) {
        return path.find(part) != std::string::npos;
    }));
}

std::error_code FaultyFileSystem::WriteFile(const std::string& path, std::string_view bytes,
                                            Durability durability) {
    const bool flushed = durability == Durability::Flushed;
    if (const auto error = NextChange(flushed ? "write+flush" : "write", path)) return error;
    const std::error_code error = real_.WriteFile(path, bytes, durability);
    if (!error && Tracked(path)) durable_->Wrote(path, std::string(bytes), flushed);
    return error;
}

std::error_code FaultyFileSystem::CopyFile(const std::string& from, const std::string& to) {
    if (const auto error = NextChange("copy", from, to)) return error;
    const std::error_code error = real_.CopyFile(from, to);
    if (!error && Tracked(to)) durable_->Wrote(to, TempFolder::ReadFile(to), true);
    return error;
}

std::error_code FaultyFileSystem::CopyFileToNew(const std::string& from, const std::string& to) {
    if (const auto error = NextChange("copy-new", from, to)) return error;
    const std::error_code error = real_.CopyFileToNew(from, to);
    if (!error && Tracked(to)) durable_->Wrote(to, TempFolder::ReadFile(to), true);
    return error;
}

std::unique_ptr<WritableFile> FaultyFileSystem::CreateFile(const std::string& path, std::error_code& error) {
    if ((error = NextChange("create", path))) return nullptr;
    std::unique_ptr<WritableFile> file = real_.CreateFile(path, error);
    if (!file) return nullptr;
    if (Tracked(path)) durable_->Wrote(path, {}, false);
    return std::make_unique<TrackedFile>(std::move(file), *this, path);
}

std::error_code FaultyFileSystem::MakeExecutable(const std::string& path) {
    if (const auto error = NextChange("chmod", path)) return error;
    return real_.MakeExecutable(path);
}

std::error_code FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
    if (const auto error = NextChange("rename", from, to)) return error;
    const std::error_code error = real_.Rename(from, to);
    if (!error && Tracked(from)) durable_->Renamed(from, to);
    return error;
}

std::error_code FaultyFileSystem::Remove(const std::string& path) {
    if (const auto error = NextChange("remove", path)) return error;
    const std::error_code error = real_.Remove(path);
    if (!error && Tracked(path)) durable_->Removed(path);
    return error;
}

bool FaultyFileSystem::MayReplace(const std::string& path) {
    if (!failPath_.empty() && path.find(failPath_) != std::string::npos) return false;
    return real_.MayReplace(path);
}

std::error_code FaultyFileSystem::MakeFolder(const std::string& path) {
    if (const auto error = NextChange("mkdir", path)) return error;
    const std::error_code error = real_.MakeFolder(path);
    if (!error && Tracked(path)) durable_->MadeFolder(path);
    return error;
}

std::error_code FaultyFileSystem::SyncFolder(const std::string& path) {
    if (const auto error = NextChange("sync", path)) return error;
    const std::error_code error = real_.SyncFolder(path);
    if (!error && Tracked(path)) durable_->SyncedFolder(path);
    return error;
}

FolderListing FaultyFileSystem::ListFolder(const std::string& path) {
    FolderListing listing = real_.ListFolder(path);
    if (!failListing_.empty() && path.find(failListing_) != std::string::npos) {
        // What a read error half way through a folder gives: some entries, then the error.
        listing.entries.resize(listing.entries.size() / 2);
        listing.error = failListingError_;
    }
    return listing;
}

int StoppableDeviceIo::Send(DeviceHandle handle, const ScsiRequest& request) {
    return stopped_() || (lost_ && lost_(request)) ? EIO : real_.Send(handle, request);
}

}  // namespace kiro::test
