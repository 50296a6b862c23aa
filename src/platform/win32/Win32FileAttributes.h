#pragma once
#include "core/system/FileAttributes.h"

namespace kiro::win32_platform {

// The file system's hidden attribute, added to the attributes the file has.
class Win32FileAttributes final : public FileAttributes {
  public:
    bool SetHidden(const std::string& path) override;
};

}  // namespace kiro::win32_platform
