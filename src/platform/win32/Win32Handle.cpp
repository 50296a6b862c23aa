#include "platform/win32/Win32Handle.h"

#include <windows.h>
// After windows.h, which they need.
#include <bcrypt.h>
#include <setupapi.h>
#include <wininet.h>

#include <type_traits>

namespace kiro::win32_platform {

// The kinds are told apart by their owners, not by their types: every one is the same pointer.
template <typename... Types>
constexpr bool kAllSystemHandles = (std::is_same_v<Types, SystemHandle> && ...);
static_assert(kAllSystemHandles<HANDLE, HDEVINFO, HINTERNET, BCRYPT_ALG_HANDLE, BCRYPT_KEY_HANDLE>);

bool KernelObjectKind::Close(SystemHandle handle) {
    return CloseHandle(handle);
}

bool FileSearchKind::Close(SystemHandle handle) {
    return FindClose(handle);
}

bool DeviceInfoListKind::Close(SystemHandle handle) {
    return SetupDiDestroyDeviceInfoList(handle);
}

bool InternetKind::Close(SystemHandle handle) {
    return InternetCloseHandle(handle);
}

bool CngAlgorithmKind::Close(SystemHandle handle) {
    return BCRYPT_SUCCESS(BCryptCloseAlgorithmProvider(handle, 0));
}

bool CngKeyKind::Close(SystemHandle handle) {
    return BCRYPT_SUCCESS(BCryptDestroyKey(handle));
}

}  // namespace kiro::win32_platform
