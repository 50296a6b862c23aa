#pragma once
#include <string>

namespace kiro {

// File attributes that plain C++ cannot set: the hidden attribute of the watch's marker file.
class FileAttributes {
  public:
    virtual ~FileAttributes() = default;
    // Gives the file the hidden attribute where its file system has one (FAT, as the watch's
    // disk is). Returns false when the file system has no such attribute or the call fails.
    virtual bool SetHidden(const std::string& path) = 0;
};

}  // namespace kiro
