#pragma once
#include <cstdint>
#include <utility>

namespace kiro::win32_platform {

// The system's handles are pointers (HANDLE, HDEVINFO, HINTERNET and the CNG handles are all
// void*), spelled so here so that the adapters' headers can hold them without bringing the
// system headers and their macros into the program's own files.
using SystemHandle = void*;

// What the opening functions answer when they fail: CreateFile and the search and device
// information functions INVALID_HANDLE_VALUE, the others null. Neither is ever held.
inline bool NamesAnObject(SystemHandle handle) {
    return handle != nullptr && handle != reinterpret_cast<SystemHandle>(static_cast<std::intptr_t>(-1));
}

// How each kind of handle is given back to the system; true when the system says it was.
struct KernelObjectKind {  // files, folders, devices, processes, threads, events
    static bool Close(SystemHandle handle);
};
struct FileSearchKind {  // FindFirstFileEx
    static bool Close(SystemHandle handle);
};
struct DeviceInfoListKind {  // SetupDiGetClassDevs
    static bool Close(SystemHandle handle);
};
struct InternetKind {  // WinINet sessions and requests
    static bool Close(SystemHandle handle);
};
struct CngAlgorithmKind {  // BCryptOpenAlgorithmProvider
    static bool Close(SystemHandle handle);
};
struct CngKeyKind {  // BCryptImportKeyPair
    static bool Close(SystemHandle handle);
};

// The one owner of a system handle in the adapters: it gives back what it holds exactly once,
// when it goes, when it is given another handle, or when Close is asked; Release hands the
// handle on without closing it. Moving leaves the source holding nothing.
template <typename Kind>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(SystemHandle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    bool Valid() const { return NamesAnObject(handle_); }
    SystemHandle Get() const { return handle_; }
    SystemHandle Release() { return std::exchange(handle_, nullptr); }
    void Reset(SystemHandle handle = nullptr) {
        const SystemHandle old = std::exchange(handle_, handle);
        if (NamesAnObject(old) && old != handle) Kind::Close(old);
    }
    // Closes now and says whether the system could: a file's last writes may fail only here.
    // False also when nothing is held. Holds nothing afterwards either way.
    bool Close() {
        const SystemHandle old = Release();
        return NamesAnObject(old) && Kind::Close(old);
    }

  private:
    SystemHandle handle_ = nullptr;
};

using KernelHandle = UniqueHandle<KernelObjectKind>;
using FileSearchHandle = UniqueHandle<FileSearchKind>;
using DeviceInfoList = UniqueHandle<DeviceInfoListKind>;
using InternetHandle = UniqueHandle<InternetKind>;
using CngAlgorithmHandle = UniqueHandle<CngAlgorithmKind>;
using CngKeyHandle = UniqueHandle<CngKeyKind>;

}  // namespace kiro::win32_platform
