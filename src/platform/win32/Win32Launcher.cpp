#include "platform/win32/Win32Launcher.h"

#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs

#include "platform/win32/Win32Handle.h"
#include "platform/win32/WindowsCommandLine.h"

namespace kiro::win32_platform {

bool Win32Launcher::StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
    // CreateProcess may write into the command line it is given.
    std::string commandLine = CommandLineFor(program, arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                        nullptr, nullptr, &startup, &started))
        return false;
    // Nothing here waits for it: its handles go back at once, as holding them would only keep its
    // process object alive.
    const KernelHandle thread(started.hThread);
    const KernelHandle process(started.hProcess);
    return true;
}

bool Win32Launcher::OpenWithAssociatedProgram(const std::string& fileOrAddress) {
    // The answer is a handle only in name: values up to 32 are error codes, for compatibility
    // with 16-bit Windows.
    const INT_PTR result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", fileOrAddress.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace kiro::win32_platform
