#pragma once
#include <set>
#include <string>

#include "core/system/FileAttributes.h"

namespace kiro::sim {

// Records which files were made hidden. A test can make it answer as a file system without a
// hidden attribute.
class FakeFileAttributes final : public FileAttributes {
  public:
    bool SetHidden(const std::string& path) override {
        if (!supported) return false;
        hidden_.insert(path);
        return true;
    }
    bool IsHidden(const std::string& path) const { return hidden_.count(path) != 0; }

    bool supported = true;

  private:
    std::set<std::string> hidden_;
};

}  // namespace kiro::sim
