#include "core/app/ProgramFolder.h"

#include "core/app/Format.h"

namespace kiro {

std::string DeriveProgramFolder(std::string_view currentDirectory) {
    std::string folder(currentDirectory);
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

std::string ProgramPaths::SettingsFile() const { return Format("%s/KiroMeter2.INI", folder_.c_str()); }
std::string ProgramPaths::DataFolder() const { return Format("%s/Data", folder_.c_str()); }
std::string ProgramPaths::MonthFile(int year, int month) const {
    return Format("%s/Data/Kiro%04d%02d.BIN", folder_.c_str(), year, month);
}
std::string ProgramPaths::BackupFolder() const { return Format("%s/KiroMeter2", folder_.c_str()); }
std::string ProgramPaths::TempFolder() const { return Format("%s/tmp", folder_.c_str()); }
std::string ProgramPaths::UpdaterFile() const { return Format("%s/tmp/KiroMeterUpdater.BIN", folder_.c_str()); }

}  // namespace kiro
