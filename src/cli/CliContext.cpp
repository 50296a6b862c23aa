#include "cli/CliContext.h"

#include <filesystem>

#include "core/app/ProgramFolder.h"

namespace kiro::cli {

App& CliContext::LoadedApp() {
    if (!app_) {
        std::string folder = folderOption;
        if (folder.empty()) folder = std::filesystem::current_path().string();
        app_ = std::make_unique<App>(DeriveProgramFolder(folder), clock_, locale_);
        app_->LoadSettings();
    }
    return *app_;
}

}  // namespace kiro::cli
