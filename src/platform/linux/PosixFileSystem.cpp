#include "platform/linux/PosixFileSystem.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace kiro::linux_platform {
namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// Closes a descriptor when it goes out of scope; Close() reports what close itself says, which
// on some file systems is the first word of a failed write.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Hands the descriptor over to another owner.
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    std::error_code Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? std::error_code{} : LastError();
    }

  private:
    int fd_;
};

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// The error for an open descriptor that is not a regular file.
std::error_code NotRegular(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) return LastError();
    if (S_ISREG(status.st_mode)) return {};
    return std::make_error_code(S_ISDIR(status.st_mode) ? std::errc::is_a_directory
                                                        : std::errc::invalid_argument);
}

// Opens for reading without following a link or waiting on a pipe, and only a regular file.
int OpenRegularForReading(const std::string& path, std::error_code& error) {
    const int fd = OpenRetrying(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        error = LastError();
        return -1;
    }
    error = NotRegular(fd);
    if (error) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::error_code WriteAll(int fd, const char* bytes, size_t size) {
    size_t written = 0;
    while (written < size) {
        const ssize_t put = ::write(fd, bytes + written, size - written);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return LastError();
        written += static_cast<size_t>(put);
    }
    return {};
}

// Truncating a target that is the source itself (the same name, or a hard link to it) would
// wipe what is about to be copied.
bool SameFile(int first, int second) {
    struct stat a {};
    struct stat b {};
    return ::fstat(first, &a) == 0 && ::fstat(second, &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

class PosixWritableFile final : public WritableFile {
  public:
    explicit PosixWritableFile(int fd) : fd_(fd) {}
    std::error_code Append(std::string_view bytes) override {
        if (!fd_.Valid()) return std::make_error_code(std::errc::bad_file_descriptor);
        return WriteAll(fd_.Get(), bytes.data(), bytes.size());
    }
    std::error_code Close() override {
        if (!fd_.Valid()) return std::make_error_code(std::errc::bad_file_descriptor);
        if (::fsync(fd_.Get()) != 0) return LastError();
        return fd_.Close();
    }

  private:
    Descriptor fd_;
};

class PosixReadableFile final : public ReadableFile {
  public:
    explicit PosixReadableFile(int fd) : fd_(fd) {}
    std::error_code Read(std::string& into, size_t limit) override {
        into.resize(limit);
        for (;;) {
            const ssize_t got = ::read(fd_.Get(), into.data(), limit);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                into.clear();
                return LastError();
            }
            into.resize(static_cast<size_t>(got));
            return {};
        }
    }

  private:
    Descriptor fd_;
};

class FlockLock final : public FileLock {
  public:
    explicit FlockLock(int fd) : fd_(fd) {}
    ~FlockLock() override { ::close(fd_); }

  private:
    int fd_;
};

EntryKind KindOf(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::Regular;
    if (S_ISDIR(mode)) return EntryKind::Folder;
    if (S_ISLNK(mode)) return EntryKind::Link;
    return EntryKind::Other;
}

}  // namespace

FileContent PosixFileSystem::ReadFile(const std::string& path, size_t limit, OverLimit overLimit) {
    FileContent result;
    Descriptor fd(OpenRegularForReading(path, result.error));
    if (!fd.Valid()) return result;
    // Read one byte past the limit to know whether the file is longer, whatever its size says.
    const size_t wanted = overLimit == OverLimit::Refuse ? limit + 1 : limit;
    // Straight into the result, sized for what the file says it holds and one byte more (the end
    // then shows in the same buffer); a file that grows while it is read gets more room.
    struct stat info {};
    const size_t stated =
        ::fstat(fd.Get(), &info) == 0 && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
    std::string& bytes = result.bytes;
    bytes.resize(std::min(wanted, std::max<size_t>(stated + 1, 4096)));
    size_t have = 0;
    while (have < wanted) {
        if (have == bytes.size()) bytes.resize(std::min(wanted, bytes.size() * 2));
        const ssize_t got = ::read(fd.Get(), bytes.data() + have, bytes.size() - have);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            result.error = LastError();
            bytes.clear();
            return result;
        }
        if (got == 0) break;
        have += static_cast<size_t>(got);
    }
    bytes.resize(have);
    if (result.bytes.size() > limit) {
        result.bytes.clear();
        result.error = std::make_error_code(std::errc::file_too_large);
    }
    return result;
}

std::unique_ptr<ReadableFile> PosixFileSystem::OpenToRead(const std::string& path, std::error_code& error) {
    const int fd = OpenRegularForReading(path, error);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixReadableFile>(fd);
}

bool PosixFileSystem::OpensForReading(const std::string& path) {
    std::error_code error;
    Descriptor fd(OpenRegularForReading(path, error));
    return fd.Valid();
}

std::error_code PosixFileSystem::WriteFile(const std::string& path, std::string_view bytes,
                                           Durability durability) {
    Descriptor fd(OpenRetrying(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK, 0644));
    if (!fd.Valid()) return LastError();
    if (const std::error_code error = NotRegular(fd.Get())) return error;
    if (const std::error_code error = WriteAll(fd.Get(), bytes.data(), bytes.size())) return error;
    if (durability == Durability::Flushed && ::fsync(fd.Get()) != 0) return LastError();
    return fd.Close();
}

namespace {

// Copies `from` into `to` opened with `targetFlags` (besides writing and creating).
std::error_code CopyInto(const std::string& from, const std::string& to, int targetFlags) {
    std::error_code error;
    Descriptor source(OpenRegularForReading(from, error));
    if (!source.Valid()) return error;
    Descriptor target(OpenRetrying(to, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | targetFlags, 0644));
    if (!target.Valid()) return LastError();
    if ((error = NotRegular(target.Get()))) return error;
    if (SameFile(source.Get(), target.Get())) return std::make_error_code(std::errc::invalid_argument);
    if (::ftruncate(target.Get(), 0) != 0) return LastError();
    std::array<char, 65536> chunk{};
    for (;;) {
        const ssize_t got = ::read(source.Get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return LastError();
        if (got == 0) break;
        if ((error = WriteAll(target.Get(), chunk.data(), static_cast<size_t>(got)))) return error;
    }
    if (::fsync(target.Get()) != 0) return LastError();
    return target.Close();
}

}  // namespace

std::error_code PosixFileSystem::CopyFile(const std::string& from, const std::string& to) {
    // Opened without truncating: the target is checked before anything of it is lost.
    return CopyInto(from, to, 0);
}

std::error_code PosixFileSystem::CopyFileToNew(const std::string& from, const std::string& to) {
    return CopyInto(from, to, O_EXCL);
}

std::unique_ptr<WritableFile> PosixFileSystem::CreateFile(const std::string& path, std::error_code& error) {
    Descriptor fd(OpenRetrying(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK, 0644));
    if (!fd.Valid()) {
        error = LastError();
        return nullptr;
    }
    if ((error = NotRegular(fd.Get()))) return nullptr;
    return std::make_unique<PosixWritableFile>(fd.Release());
}

std::error_code PosixFileSystem::SizeOf(const std::string& path, uint64_t& size) {
    std::error_code error;
    Descriptor fd(OpenRegularForReading(path, error));
    if (!fd.Valid()) return error;
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) return LastError();
    size = static_cast<uint64_t>(status.st_size);
    return {};
}

std::error_code PosixFileSystem::MakeExecutable(const std::string& path) {
    std::error_code error;
    Descriptor fd(OpenRegularForReading(path, error));
    if (!fd.Valid()) return error;
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) return LastError();
    const mode_t executable = status.st_mode | S_IXUSR | S_IXGRP | S_IXOTH;
    if (::fchmod(fd.Get(), executable & 07777) != 0) return LastError();
    // A program renamed into place before its mode reached the disk could come back from a
    // power cut without it, and never start again.
    return ::fsync(fd.Get()) == 0 ? std::error_code{} : LastError();
}

std::error_code PosixFileSystem::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code{} : LastError();
}

std::error_code PosixFileSystem::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? std::error_code{} : LastError();
}

std::error_code PosixFileSystem::MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) == 0) return {};
    const std::error_code error = LastError();
    struct stat status {};
    if (errno == EEXIST && ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return {};
    return error;
}

std::error_code PosixFileSystem::SyncFolder(const std::string& path) {
    Descriptor fd(OpenRetrying(path, O_RDONLY | O_DIRECTORY));
    if (!fd.Valid()) return LastError();
    // Some file systems cannot sync a folder at all (EINVAL); their names are as safe as they get.
    if (::fsync(fd.Get()) != 0 && errno != EINVAL) return LastError();
    return {};
}

bool PosixFileSystem::MayReplace(const std::string& path) {
    // Asked with the process's effective identity, as the replacement would be made; a
    // read-only file system refuses even the superuser.
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 &&
           ::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
}

FolderListing PosixFileSystem::ListFolder(const std::string& path) {
    FolderListing listing;
    DIR* folder = ::opendir(path.c_str());
    if (!folder) {
        listing.error = LastError();
        return listing;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(folder);
        if (!entry) {
            if (errno != 0) listing.error = LastError();
            break;
        }
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        EntryKind kind = EntryKind::Other;
        switch (entry->d_type) {
            case DT_REG:
                kind = EntryKind::Regular;
                break;
            case DT_DIR:
                kind = EntryKind::Folder;
                break;
            case DT_LNK:
                kind = EntryKind::Link;
                break;
            case DT_UNKNOWN: {
                struct stat status {};
                if (::fstatat(::dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0)
                    kind = KindOf(status.st_mode);
                break;
            }
            default:
                break;
        }
        listing.entries.push_back({name, kind});
    }
    ::closedir(folder);
    return listing;
}

namespace {

// Locks an open descriptor without waiting, or closes it.
std::unique_ptr<FileLock> FlockOrClose(int fd, int operation, std::error_code& error) {
    int result;
    do {
        result = ::flock(fd, operation | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        error = errno == EWOULDBLOCK ? std::make_error_code(std::errc::resource_unavailable_try_again)
                                     : LastError();
        ::close(fd);
        return nullptr;
    }
    error.clear();
    return std::make_unique<FlockLock>(fd);
}

}  // namespace

std::unique_ptr<FileLock> PosixFileSystem::TryLock(const std::string& path, std::error_code& error) {
    int fd = OpenRetrying(path, O_RDWR | O_CREAT | O_NOFOLLOW, 0644);
    if (fd < 0 && errno == EISDIR) fd = OpenRetrying(path, O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        error = LastError();
        return nullptr;
    }
    return FlockOrClose(fd, LOCK_EX, error);
}

std::unique_ptr<FileLock> PosixFileSystem::TryLockShared(const std::string& path, std::error_code& error) {
    // flock takes a shared lock through a descriptor opened for reading only.
    int fd = OpenRetrying(path, O_RDONLY | O_NOFOLLOW);
    if (fd < 0 && errno == ENOENT) fd = OpenRetrying(path, O_RDWR | O_CREAT | O_NOFOLLOW, 0644);
    if (fd < 0) {
        error = LastError();
        return nullptr;
    }
    return FlockOrClose(fd, LOCK_SH, error);
}

}  // namespace kiro::linux_platform
