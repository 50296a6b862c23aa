#pragma once
#include "core/system/Launcher.h"

namespace kiro::win32_platform {

// Starts programs with CreateProcess, without a console of their own or ours, so that they
// outlive this one and no console event of ours reaches them; files and addresses open through
// the shell's associations.
class Win32Launcher final : public Launcher {
  public:
    // `program` is the file started, without a search along PATH and whatever its extension;
    // the command line it reads is its quoted path followed by `arguments`, quoted so that its
    // C runtime splits them back unchanged.
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) override;
    bool OpenWithAssociatedProgram(const std::string& fileOrAddress) override;
};

}  // namespace kiro::win32_platform
