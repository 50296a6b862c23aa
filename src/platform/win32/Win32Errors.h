#pragma once
#include <cstdint>
#include <system_error>

namespace kiro::win32_platform {

// A Windows error as the portable code the core compares with (a missing file is
// no_such_file_or_directory, a held lock resource_unavailable_try_again, a full disk
// no_space_on_device, ...); an error with no portable meaning keeps its Windows number.
std::error_code ErrorFromWindows(uint32_t windowsError);
// The calling thread's last Windows error, the same way.
std::error_code LastWindowsError();

}  // namespace kiro::win32_platform
