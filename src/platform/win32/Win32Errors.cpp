#include "platform/win32/Win32Errors.h"

#include <windows.h>

namespace kiro::win32_platform {

std::error_code ErrorFromWindows(uint32_t windowsError) {
    switch (windowsError) {
        case ERROR_SUCCESS:
            return {};
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return std::make_error_code(std::errc::permission_denied);
        // Another process holds the file open without sharing, or holds a lock on it.
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return std::make_error_code(std::errc::resource_unavailable_try_again);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return std::make_error_code(std::errc::no_space_on_device);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return std::make_error_code(std::errc::file_exists);
        case ERROR_DIRECTORY:
            return std::make_error_code(std::errc::not_a_directory);
        case ERROR_DIR_NOT_EMPTY:
            return std::make_error_code(std::errc::directory_not_empty);
        case ERROR_WRITE_PROTECT:
            return std::make_error_code(std::errc::read_only_file_system);
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return std::make_error_code(std::errc::not_enough_memory);
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_PARAMETER:
            return std::make_error_code(std::errc::invalid_argument);
        case ERROR_FILENAME_EXCED_RANGE:
            return std::make_error_code(std::errc::filename_too_long);
        case ERROR_NOT_READY:
        case ERROR_DEVICE_NOT_CONNECTED:
            return std::make_error_code(std::errc::no_such_device);
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
            return std::make_error_code(std::errc::io_error);
        default:
            return {static_cast<int>(windowsError), std::system_category()};
    }
}

std::error_code LastWindowsError() {
    return ErrorFromWindows(GetLastError());
}

}  // namespace kiro::win32_platform
