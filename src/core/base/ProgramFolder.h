#pragma once
#include <string>
#include <string_view>

namespace kiro {

// The program folder is the working directory at start. One trailing separator is removed,
// except when the folder is the file-system root ("/", or a drive's "C:\"), which keeps it (so
// paths formed below get two separators in a row there, which the file system accepts; a drive
// without its separator would name the drive's current folder instead).
std::string DeriveProgramFolder(std::string_view currentDirectory);

// The program folder of this process: the working directory, or an empty text when it cannot
// be read (it was deleted, or is out of reach), in which case nothing can be written.
std::string ProgramFolderOfThisProcess();

// The files the program keeps in its folder, named relative to it.
inline constexpr const char* kSettingsFileName = "KiroMeter2.INI";
inline constexpr const char* kJournalFileName = "ImportJournal.txt";
inline constexpr const char* kLockFileName = "KiroMeter2.lock";
inline constexpr const char* kCommitRecordName = "KiroMeter2.commit";
inline constexpr const char* kDataFolderName = "Data";
// The desktop program's own file, which the updater replaces. Windows starts a program only by
// a name that ends in ".exe"; a build put in place under the bare name would never run.
#if defined(_WIN32)
inline constexpr const char* kProgramFileName = "KiroMeter_X5.exe";
#else
inline constexpr const char* kProgramFileName = "KiroMeter_X5";
#endif
std::string MonthFileName(int year, int month);  // "Data/Kiro%04d%02d.BIN"

// Every path of the program's own files, formed from the program folder.
class ProgramPaths {
  public:
    explicit ProgramPaths(std::string folder) : folder_(std::move(folder)) {}

    const std::string& Folder() const { return folder_; }
    // A file of the folder by its name relative to the folder.
    std::string File(std::string_view relativeName) const;
    std::string SettingsFile() const { return File(kSettingsFileName); }
    std::string DataFolder() const { return File(kDataFolderName); }
    std::string MonthFile(int year, int month) const { return File(MonthFileName(year, month)); }
    std::string BackupFolder() const { return File("KiroMeter2"); }
    std::string TempFolder() const { return File("tmp"); }
    std::string UpdaterFile() const { return File("tmp/KiroMeterUpdater.BIN"); }

  private:
    std::string folder_;
};

}  // namespace kiro
