#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/win32/Win32Errors.h"
#include "platform/win32/Win32Handle.h"

// windows.h names its A and W functions through macros that would rename the interface's own
// CreateFile and CopyFile here.
#undef CreateFile
#undef CopyFile

namespace kiro::win32_platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The link itself rather than what it points to, and folders too (so that they can be told
// apart from files once open).
constexpr DWORD kOpenFlags = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

KernelHandle Open(const std::string& path, DWORD access, DWORD disposition, DWORD share = kShareAll) {
    return KernelHandle(CreateFileA(path.c_str(), access, share, nullptr, disposition, kOpenFlags, nullptr));
}

// Closing is where a file's last writes may fail: it is an error of its own.
std::error_code CloseReporting(KernelHandle& handle) {
    return handle.Close() ? std::error_code{} : LastWindowsError();
}

// The error for an open handle that is not a plain file: a link, a folder or a device.
std::error_code NotRegular(HANDLE handle) {
    if (GetFileType(handle) != FILE_TYPE_DISK) return std::make_error_code(std::errc::invalid_argument);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return LastWindowsError();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::make_error_code(std::errc::is_a_directory);
    return {};
}

KernelHandle OpenRegular(const std::string& path, DWORD access, DWORD disposition, std::error_code& error) {
    KernelHandle handle = Open(path, access, disposition);
    if (!handle.Valid()) {
        error = LastWindowsError();
        return {};
    }
    error = NotRegular(handle.Get());
    if (error) return {};
    return handle;
}

// Opens a plain file for writing, created when missing, and empties it. Opened first and
// emptied after the check, so that nothing is lost when the name turns out to be a link or a
// folder (creating anew would also fail on a hidden file, as the watch's marker file is).
KernelHandle OpenEmptied(const std::string& path, std::error_code& error) {
    KernelHandle handle = OpenRegular(path, GENERIC_WRITE, OPEN_ALWAYS, error);
    if (!handle.Valid()) return {};
    if (!SetEndOfFile(handle.Get())) {
        error = LastWindowsError();
        return {};
    }
    return handle;
}

std::error_code WriteAll(HANDLE handle, const char* bytes, size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, bytes, chunk, &written, nullptr)) return LastWindowsError();
        if (written == 0) return std::make_error_code(std::errc::io_error);
        bytes += written;
        size -= written;
    }
    return {};
}

std::error_code Flush(HANDLE handle) {
    return FlushFileBuffers(handle) ? std::error_code{} : LastWindowsError();
}

// Emptying a target that is the source itself (the same name, or a hard link to it) would wipe
// what is about to be copied.
bool SameFile(HANDLE first, HANDLE second) {
    BY_HANDLE_FILE_INFORMATION a{};
    BY_HANDLE_FILE_INFORMATION b{};
    return GetFileInformationByHandle(first, &a) && GetFileInformationByHandle(second, &b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Windows says "not found" where a file stands in place of a folder on the way; the portable
// answer is not_a_directory, as a file named as a folder is no missing folder.
std::error_code FolderError(const std::string& path, DWORD failure) {
    // Searching inside a file may also be called an invalid name.
    if (failure != ERROR_FILE_NOT_FOUND && failure != ERROR_PATH_NOT_FOUND && failure != ERROR_DIRECTORY &&
        failure != ERROR_INVALID_NAME)
        return ErrorFromWindows(failure);
    std::string level = path;
    for (;;) {
        while (!level.empty() && (level.back() == '/' || level.back() == '\\')) level.pop_back();
        if (level.empty() || level.back() == ':') break;
        const DWORD attributes = GetFileAttributesA(level.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
                return std::make_error_code(std::errc::not_a_directory);
            break;
        }
        const size_t slash = level.find_last_of("/\\");
        if (slash == std::string::npos) break;
        level.erase(slash);
    }
    return ErrorFromWindows(failure);
}

class Win32WritableFile final : public WritableFile {
  public:
    explicit Win32WritableFile(KernelHandle handle) : handle_(std::move(handle)) {}
    std::error_code Append(std::string_view bytes) override {
        if (!handle_.Valid()) return std::make_error_code(std::errc::bad_file_descriptor);
        return WriteAll(handle_.Get(), bytes.data(), bytes.size());
    }
    std::error_code Close() override {
        if (!handle_.Valid()) return std::make_error_code(std::errc::bad_file_descriptor);
        if (const std::error_code error = Flush(handle_.Get())) return error;
        return CloseReporting(handle_);
    }

  private:
    KernelHandle handle_;
};

class Win32ReadableFile final : public ReadableFile {
  public:
    explicit Win32ReadableFile(KernelHandle handle) : handle_(std::move(handle)) {}
    std::error_code Read(std::string& into, size_t limit) override {
        into.resize(std::min<size_t>(limit, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(handle_.Get(), into.data(), static_cast<DWORD>(into.size()), &got, nullptr)) {
            into.clear();
            return LastWindowsError();
        }
        into.resize(got);
        return {};
    }

  private:
    KernelHandle handle_;
};

class HandleLock final : public FileLock {
  public:
    explicit HandleLock(KernelHandle handle) : handle_(std::move(handle)) {}

  private:
    KernelHandle handle_;
};

EntryKind KindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Other;
    return EntryKind::Regular;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

}  // namespace

FileContent Win32FileSystem::ReadFile(const std::string& path, size_t limit, OverLimit overLimit) {
    FileContent result;
    const KernelHandle handle = OpenRegular(path, GENERIC_READ, OPEN_EXISTING, result.error);
    if (!handle.Valid()) return result;
    // Read one byte past the limit to know whether the file is longer, whatever its size says.
    const size_t wanted = overLimit == OverLimit::Refuse ? limit + 1 : limit;
    LARGE_INTEGER size{};
    const size_t stated =
        GetFileSizeEx(handle.Get(), &size) && size.QuadPart > 0 ? static_cast<size_t>(size.QuadPart) : 0;
    std::string& bytes = result.bytes;
    bytes.resize(std::min(wanted, std::max<size_t>(stated + 1, 4096)));
    size_t have = 0;
    while (have < wanted) {
        if (have == bytes.size()) bytes.resize(std::min(wanted, bytes.size() * 2));
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - have, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(handle.Get(), bytes.data() + have, chunk, &got, nullptr)) {
            result.error = LastWindowsError();
            bytes.clear();
            return result;
        }
        if (got == 0) break;
        have += got;
    }
    bytes.resize(have);
    if (bytes.size() > limit) {
        bytes.clear();
        result.error = std::make_error_code(std::errc::file_too_large);
    }
    return result;
}

std::unique_ptr<ReadableFile> Win32FileSystem::OpenToRead(const std::string& path, std::error_code& error) {
    KernelHandle handle = OpenRegular(path, GENERIC_READ, OPEN_EXISTING, error);
    if (!handle.Valid()) return nullptr;
    return std::make_unique<Win32ReadableFile>(std::move(handle));
}

bool Win32FileSystem::OpensForReading(const std::string& path) {
    std::error_code error;
    return OpenRegular(path, GENERIC_READ, OPEN_EXISTING, error).Valid();
}

std::error_code Win32FileSystem::WriteFile(const std::string& path, std::string_view bytes,
                                           Durability durability) {
    std::error_code error;
    KernelHandle handle = OpenEmptied(path, error);
    if (!handle.Valid()) return error;
    if ((error = WriteAll(handle.Get(), bytes.data(), bytes.size()))) return error;
    if (durability == Durability::Flushed && (error = Flush(handle.Get()))) return error;
    return CloseReporting(handle);
}

namespace {

// Copies `from` into `to` opened with `disposition`.
std::error_code CopyInto(const std::string& from, const std::string& to, DWORD disposition) {
    std::error_code error;
    const KernelHandle source = OpenRegular(from, GENERIC_READ, OPEN_EXISTING, error);
    if (!source.Valid()) return error;
    KernelHandle target = OpenRegular(to, GENERIC_WRITE, disposition, error);
    if (!target.Valid()) return error;
    if (SameFile(source.Get(), target.Get())) return std::make_error_code(std::errc::invalid_argument);
    if (!SetEndOfFile(target.Get())) return LastWindowsError();
    std::array<char, 65536> chunk{};
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(source.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr))
            return LastWindowsError();
        if (got == 0) break;
        if ((error = WriteAll(target.Get(), chunk.data(), got))) return error;
    }
    if ((error = Flush(target.Get()))) return error;
    return CloseReporting(target);
}

}  // namespace

std::error_code Win32FileSystem::CopyFile(const std::string& from, const std::string& to) {
    // Opened without emptying: the target is checked before anything of it is lost.
    return CopyInto(from, to, OPEN_ALWAYS);
}

std::error_code Win32FileSystem::CopyFileToNew(const std::string& from, const std::string& to) {
    return CopyInto(from, to, CREATE_NEW);
}

std::unique_ptr<WritableFile> Win32FileSystem::CreateFile(const std::string& path, std::error_code& error) {
    KernelHandle handle = OpenEmptied(path, error);
    if (!handle.Valid()) return nullptr;
    return std::make_unique<Win32WritableFile>(std::move(handle));
}

std::error_code Win32FileSystem::SizeOf(const std::string& path, uint64_t& size) {
    std::error_code error;
    const KernelHandle handle = OpenRegular(path, GENERIC_READ, OPEN_EXISTING, error);
    if (!handle.Valid()) return error;
    LARGE_INTEGER bytes{};
    if (!GetFileSizeEx(handle.Get(), &bytes)) return LastWindowsError();
    size = static_cast<uint64_t>(bytes.QuadPart);
    return {};
}

// Windows runs a program by its name and has no mark that lets a file run; only the file's
// being a plain file is checked.
std::error_code Win32FileSystem::MakeExecutable(const std::string& path) {
    std::error_code error;
    OpenRegular(path, GENERIC_READ, OPEN_EXISTING, error);
    return error;
}

std::error_code Win32FileSystem::Rename(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? std::error_code{}
               : LastWindowsError();
}

std::error_code Win32FileSystem::Remove(const std::string& path) {
    return DeleteFileA(path.c_str()) ? std::error_code{} : LastWindowsError();
}

std::error_code Win32FileSystem::MakeFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return {};
    const DWORD failure = GetLastError();
    if (failure == ERROR_ALREADY_EXISTS && IsFolder(path)) return {};
    return failure == ERROR_PATH_NOT_FOUND ? FolderError(path, failure) : ErrorFromWindows(failure);
}

// Windows gives a program no way to flush a folder's names; a rename here asks for write-through
// and returns only once the move is on the disk. The folder must still be there.
std::error_code Win32FileSystem::SyncFolder(const std::string& path) {
    if (IsFolder(path)) return {};
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? LastWindowsError()
                                                 : std::make_error_code(std::errc::not_a_directory);
}

// The file must not be read-only and the folder must let this user add a file: a program
// installed for every user under Program Files is not the user's to replace. The file is not
// opened for writing to ask, because the running program's own file never opens that way.
bool Win32FileSystem::MayReplace(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const KernelHandle folder(CreateFileA(FolderOf(path).c_str(), FILE_ADD_FILE, kShareAll, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return folder.Valid();
}

FolderListing Win32FileSystem::ListFolder(const std::string& path) {
    FolderListing listing;
    WIN32_FIND_DATAA entry{};
    const std::string pattern =
        path + (path.empty() || path.back() == '/' || path.back() == '\\' ? "*" : "/*");
    const FileSearchHandle search(
        FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
    if (!search.Valid()) {
        // The root of a drive has no "." and "..": when it is empty nothing matches at all.
        const DWORD failure = GetLastError();
        if (!(failure == ERROR_FILE_NOT_FOUND && IsFolder(path))) listing.error = FolderError(path, failure);
        return listing;
    }
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        listing.entries.push_back({name, KindOf(entry.dwFileAttributes)});
    } while (FindNextFileA(search.Get(), &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) listing.error = LastWindowsError();
    return listing;
}

// A file is locked with LockFileEx on its first byte. A folder cannot carry such a lock: it is
// held by opening it for adding files while sharing it with no one else who would, which every
// other lock runs into. Opened without any sharing, the folder could not even be listed while
// the lock is held, nor its files be taken.
namespace {

// Locks the first byte of an open file without waiting; the handle is closed when it fails.
std::unique_ptr<FileLock> LockOrClose(KernelHandle file, DWORD flags, std::error_code& error) {
    OVERLAPPED start{};
    if (!LockFileEx(file.Get(), flags | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
        error = LastWindowsError();
        return nullptr;
    }
    error.clear();
    return std::make_unique<HandleLock>(std::move(file));
}

}  // namespace

std::unique_ptr<FileLock> Win32FileSystem::TryLock(const std::string& path, std::error_code& error) {
    if (IsFolder(path)) {
        KernelHandle folder(CreateFileA(path.c_str(), FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!folder.Valid()) {
            error = LastWindowsError();
            return nullptr;
        }
        error.clear();
        return std::make_unique<HandleLock>(std::move(folder));
    }
    KernelHandle file = OpenRegular(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, error);
    if (!file.Valid()) return nullptr;
    return LockOrClose(std::move(file), LOCKFILE_EXCLUSIVE_LOCK, error);
}

std::unique_ptr<FileLock> Win32FileSystem::TryLockShared(const std::string& path, std::error_code& error) {
    // LockFileEx takes a shared lock through a handle opened for reading only.
    KernelHandle file = OpenRegular(path, GENERIC_READ, OPEN_EXISTING, error);
    if (!file.Valid() && IsMissing(error))
        file = OpenRegular(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, error);
    if (!file.Valid()) return nullptr;
    return LockOrClose(std::move(file), 0, error);
}

}  // namespace kiro::win32_platform
