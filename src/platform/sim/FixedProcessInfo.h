#pragma once
#include <atomic>
#include <string>

#include "core/system/ProcessInfo.h"

namespace kiro::sim {

// A running program whose file is wherever a test says.
class FixedProcessInfo final : public ProcessInfo {
  public:
    explicit FixedProcessInfo(std::string path = {}) : path(std::move(path)) {}
    std::string OwnProgramPath() const override { return path; }
    void RaiseCurrentThreadPriority() override { ++raised; }
    Usage CurrentUsage() const override { return {}; }
    int64_t MillisecondsSinceStart() const override { return -1; }

    std::string path;
    std::atomic<int> raised = 0;
};

}  // namespace kiro::sim
