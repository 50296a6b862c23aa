#pragma once
#include <string>

namespace kiro::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    // The whole content of any file, empty when it cannot be read.
    static std::string ReadFile(const std::string& path);

  private:
    std::string path_;
};

}  // namespace kiro::test
