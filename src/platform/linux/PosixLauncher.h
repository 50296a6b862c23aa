#pragma once
#include "core/system/Launcher.h"

namespace kiro::linux_platform {

// Starts programs with posix_spawn in a session of their own, so that they outlive this one
// and no terminal signal of ours reaches them; addresses and files open through xdg-open.
class PosixLauncher final : public Launcher {
  public:
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) override;
    bool OpenWithAssociatedProgram(const std::string& fileOrAddress) override;
};

}  // namespace kiro::linux_platform
