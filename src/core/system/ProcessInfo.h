#pragma once
#include <string>

namespace kiro {

// What the running program knows about itself.
class ProcessInfo {
  public:
    virtual ~ProcessInfo() = default;
    // The full path of the running program's file; empty when it cannot be had.
    virtual std::string OwnProgramPath() const = 0;
    // Asks for the calling thread to run above normal priority; the system may refuse.
    virtual void RaiseCurrentThreadPriority() = 0;
};

}  // namespace kiro
