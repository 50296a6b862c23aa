#include "gui/demo/DemoDataFolder.h"

#include <filesystem>
#include <system_error>

namespace kiro::gui {

std::string DemoDataFolder(const std::string& ownProgramPath, const std::string& installedRelative,
                           const std::string& builtFrom) {
    if (ownProgramPath.empty()) return builtFrom;
    const std::filesystem::path installed =
        (std::filesystem::path(ownProgramPath).parent_path() / installedRelative).lexically_normal();
    std::error_code error;
    return std::filesystem::is_directory(installed, error) ? installed.string() : builtFrom;
}

}  // namespace kiro::gui
