#include "core/base/ProgramFolder.h"

#include <filesystem>

#include "core/base/Format.h"
#include "core/base/PathRoots.h"

namespace kiro {

std::string DeriveProgramFolder(std::string_view currentDirectory) {
    std::string folder(currentDirectory);
    if (folder.size() > PathRootLength(folder) && IsPathSeparator(folder.back())) folder.pop_back();
    return folder;
}

std::string ProgramFolderOfThisProcess() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : DeriveProgramFolder(current.string());
}

std::string MonthFileName(int year, int month) {
    return Format("Data/Kiro%04d%02d.BIN", year, month);
}

std::string ProgramPaths::File(std::string_view relativeName) const {
    return folder_ + "/" + std::string(relativeName);
}

}  // namespace kiro
