#pragma once
#include "core/system/ProcessInfo.h"

namespace kiro::linux_platform {

class LinuxProcessInfo final : public ProcessInfo {
  public:
    std::string OwnProgramPath() const override;
    // One step nicer than the process: allowed to a privileged user only, and then the update
    // check gets its answers a little sooner; refused quietly otherwise.
    void RaiseCurrentThreadPriority() override;
    // From /proc/self: the resident pages of statm, and the entries of fd.
    Usage CurrentUsage() const override;
    // The start time of /proc/self/stat against the clock that counts from boot.
    int64_t MillisecondsSinceStart() const override;
};

}  // namespace kiro::linux_platform
