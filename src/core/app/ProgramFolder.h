#pragma once
#include <string>
#include <string_view>

namespace kiro {

// The program folder is the working directory at start. One trailing separator is removed,
// except when the folder is the file-system root, which keeps it (so paths formed below get
// two separators in a row there, which the file system accepts).
std::string DeriveProgramFolder(std::string_view currentDirectory);

// Every path of the program's own files, formed from the program folder.
class ProgramPaths {
public:
    explicit ProgramPaths(std::string folder) : folder_(std::move(folder)) {}

    const std::string& Folder() const { return folder_; }
    std::string SettingsFile() const;
    std::string DataFolder() const;
    std::string MonthFile(int year, int month) const;
    std::string BackupFolder() const;
    std::string TempFolder() const;
    std::string UpdaterFile() const;

private:
    std::string folder_;
};

}  // namespace kiro
