#include "gui/app/UserFolder.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/base/PathRoots.h"

namespace kiro::gui {
namespace {

constexpr const char* kFolderName = "KiroMeter2";

bool IsAbsolute(const char* path) {
    return path != nullptr && PathRootLength(path) > 0;
}

bool CanWriteIn(const std::string& folder) {
#if defined(_WIN32)
    constexpr int kWrite = 2;
    return _access(folder.c_str(), kWrite) == 0;
#else
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

// Where the person's own folder is looked for, by the rules of the desktop.
std::string UserFolderOfThisSession(std::string& error) {
#if defined(_WIN32)
    // Windows programs keep a person's data in the roaming application data folder.
    const char* appData = std::getenv("APPDATA");
    if (IsAbsolute(appData)) return std::string(appData) + "/" + kFolderName;
    error = "cannot find the user folder: APPDATA is not set to an absolute folder";
    return {};
#else
    return UserFolderPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), error);
#endif
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
    if (!CanWriteIn(folder)) {
        error = "cannot write in the user folder " + folder + ": " + std::generic_category().message(errno);
        return false;
    }
    return true;
}

bool EnterUserFolder(std::string& error) {
    // Read before any thread of ours starts: nothing changes the environment meanwhile.
    const std::string folder = UserFolderOfThisSession(error);
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
