#pragma once
#include "core/system/FileSystem.h"

namespace kiro::linux_platform {

// The file system through POSIX calls: files are opened with O_NOFOLLOW and checked to be
// regular files once open, flushed files are fsync'ed before they count as written, and locks
// are flock locks, which the kernel releases when the process ends however it ends.
class PosixFileSystem final : public FileSystem {
  public:
    FileContent ReadFile(const std::string& path, size_t limit, OverLimit overLimit) override;
    std::unique_ptr<ReadableFile> OpenToRead(const std::string& path, std::error_code& error) override;
    bool OpensForReading(const std::string& path) override;
    std::error_code WriteFile(const std::string& path, std::string_view bytes,
                              Durability durability) override;
    std::error_code CopyFile(const std::string& from, const std::string& to) override;
    std::error_code CopyFileToNew(const std::string& from, const std::string& to) override;
    std::unique_ptr<WritableFile> CreateFile(const std::string& path, std::error_code& error) override;
    std::error_code SizeOf(const std::string& path, uint64_t& size) override;
    std::error_code MakeExecutable(const std::string& path) override;
    std::error_code Rename(const std::string& from, const std::string& to) override;
    std::error_code Remove(const std::string& path) override;
    bool MayReplace(const std::string& path) override;
    std::error_code MakeFolder(const std::string& path) override;
    std::error_code SyncFolder(const std::string& path) override;
    FolderListing ListFolder(const std::string& path) override;
    std::unique_ptr<FileLock> TryLock(const std::string& path, std::error_code& error) override;
    std::unique_ptr<FileLock> TryLockShared(const std::string& path, std::error_code& error) override;
};

}  // namespace kiro::linux_platform
