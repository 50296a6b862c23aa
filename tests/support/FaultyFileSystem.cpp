#include "support/FaultyFileSystem.h"

#include <algorithm>
#include <cerrno>

namespace kiro::test {

void FaultyFileSystem::FailFrom(int change, std::error_code error) {
    failFrom_ = change;
    failError_ = error;
}

void FaultyFileSystem::CrashAt(int change) {
    crashAt_ = change;
}

void FaultyFileSystem::FailPath(std::string part, std::error_code error) {
    failPath_ = std::move(part);
    failPathError_ = error;
}

void FaultyFileSystem::FailListing(std::string part, std::error_code error) {
    failListing_ = std::move(part);
    failListingError_ = error;
}

std::error_code FaultyFileSystem::NextChange(const std::string& path) {
    ++changes_;
    if (crashAt_ > 0 && changes_ >= crashAt_) crashed_ = true;
    if (crashed_) return std::make_error_code(std::errc::io_error);
    if (failFrom_ > 0 && changes_ >= failFrom_) return failError_;
    if (!failPath_.empty() && path.find(failPath_) != std::string::npos) return failPathError_;
    return {};
}

FileContent FaultyFileSystem::ReadFile(const std::string& path, size_t limit, OverLimit overLimit) {
    reads_.push_back(path);
    return real_.ReadFile(path, limit, overLimit);
}

int FaultyFileSystem::ReadsOf(const std::string& part) const {
    return static_cast<int>(std::count_if(reads_.begin(), reads_.end(), [&part](const std::string& path) {
        return path.find(part) != std::string::npos;
    }));
}

std::error_code FaultyFileSystem::WriteFile(const std::string& path, std::string_view bytes,
                                            Durability durability) {
    if (const auto error = NextChange(path)) return error;
    return real_.WriteFile(path, bytes, durability);
}

std::error_code FaultyFileSystem::CopyFile(const std::string& from, const std::string& to) {
    if (const auto error = NextChange(to)) return error;
    return real_.CopyFile(from, to);
}

std::error_code FaultyFileSystem::CopyFileToNew(const std::string& from, const std::string& to) {
    if (const auto error = NextChange(to)) return error;
    return real_.CopyFileToNew(from, to);
}

std::unique_ptr<WritableFile> FaultyFileSystem::CreateFile(const std::string& path, std::error_code& error) {
    if ((error = NextChange(path))) return nullptr;
    return real_.CreateFile(path, error);
}

std::error_code FaultyFileSystem::MakeExecutable(const std::string& path) {
    if (const auto error = NextChange(path)) return error;
    return real_.MakeExecutable(path);
}

std::error_code FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
    if (const auto error = NextChange(to)) return error;
    const std::error_code error = real_.Rename(from, to);
    if (!error) renamesAndFlushes_.push_back("rename " + to);
    return error;
}

std::error_code FaultyFileSystem::Remove(const std::string& path) {
    if (const auto error = NextChange(path)) return error;
    return real_.Remove(path);
}

bool FaultyFileSystem::MayReplace(const std::string& path) {
    if (!failPath_.empty() && path.find(failPath_) != std::string::npos) return false;
    return real_.MayReplace(path);
}

std::error_code FaultyFileSystem::MakeFolder(const std::string& path) {
    if (const auto error = NextChange(path)) return error;
    return real_.MakeFolder(path);
}

std::error_code FaultyFileSystem::SyncFolder(const std::string& path) {
    if (const auto error = NextChange(path)) return error;
    const std::error_code error = real_.SyncFolder(path);
    if (!error) renamesAndFlushes_.push_back("flush " + path);
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
    return stopped_() ? EIO : real_.Send(handle, request);
}

}  // namespace kiro::test
