#pragma once
#include <cstdint>
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

    // What the program holds of the machine now, for watching it over a long run; -1 for a
    // figure the system does not give.
    struct Usage {
        int64_t residentKilobytes = -1;
        // The most it has held at once since it started.
        int64_t peakResidentKilobytes = -1;
        int openDescriptors = -1;
    };
    virtual Usage CurrentUsage() const = 0;
    // How long ago the process started, in milliseconds (at the system's clock-tick
    // resolution); -1 when the system does not tell.
    virtual int64_t MillisecondsSinceStart() const = 0;
};

}  // namespace kiro
