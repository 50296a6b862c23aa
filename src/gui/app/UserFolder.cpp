#include "gui/app/UserFolder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kiro::gui {
namespace {

constexpr const char* kFolderName = "KiroMeter2";

bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

}  // namespace

std::string UserFolderPath(const char* xdgDataHome, const char* home, std::string& error) {
    if (IsAbsolute(xdgDataHome)) return std::string(xdgDataHome) + "/" + kFolderName;
    if (IsAbsolute(home)) return std::string(home) + "/.local/share/" + kFolderName;
    error = "cannot find the user folder: HOME is not set to an absolute folder";
    return {};
}

bool PrepareUserFolder(const std::string& folder, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code problem;
    const fs::file_status status = fs::status(folder, problem);
    if (fs::exists(status) && !fs::is_directory(status)) {
        error = "the user folder " + folder + " is not a folder";
        return false;
    }
    if (fs::create_directories(folder, problem)) {
        fs::permissions(folder, fs::perms::owner_all, problem);
    }
    if (problem) {
        error = "cannot create the user folder " + folder + ": " + problem.message();
        return false;
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        error = "cannot write in the user folder " + folder + ": " + std::generic_category().message(errno);
        return false;
    }
    return true;
}

bool EnterUserFolder(std::string& error) {
    // Read before any thread of ours starts: nothing changes the environment meanwhile.
    const std::string folder = UserFolderPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), error);
    if (folder.empty() || !PrepareUserFolder(folder, error)) return false;
    std::error_code problem;
    std::filesystem::current_path(folder, problem);
    if (problem) {
        error = "cannot enter the user folder " + folder + ": " + problem.message();
        return false;
    }
    return true;
}

}  // namespace kiro::gui
