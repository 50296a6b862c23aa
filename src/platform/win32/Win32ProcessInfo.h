#pragma once
#include "core/system/ProcessInfo.h"

namespace kiro::win32_platform {

class Win32ProcessInfo final : public ProcessInfo {
  public:
    std::string OwnProgramPath() const override;
    // One step above normal; the update check then gets its answers a little sooner.
    void RaiseCurrentThreadPriority() override;
    // The working set, and the handles the process holds (of every kind: files, events,
    // threads, registry keys).
    Usage CurrentUsage() const override;
    // The process's creation time against the system time now. Both are wall-clock times: -1
    // when the clock was set back past the start.
    int64_t MillisecondsSinceStart() const override;
};

}  // namespace kiro::win32_platform
