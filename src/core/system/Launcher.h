#pragma once
#include <string>
#include <vector>

namespace kiro {

// Starts other programs.
class Launcher {
  public:
    virtual ~Launcher() = default;
    // Starts a program on its own, not waiting for it and not ending with this one; `arguments`
    // follow the program's own path. False when it could not be started.
    virtual bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Opens a file or an address with the program the desktop associates with it.
    virtual bool OpenWithAssociatedProgram(const std::string& fileOrAddress) = 0;
};

}  // namespace kiro
