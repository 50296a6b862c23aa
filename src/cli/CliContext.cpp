#include "cli/CliContext.h"

#include <iostream>

#include "cli/Commands.h"
#include "core/base/ProgramFolder.h"

namespace kiro::cli {

App& CliContext::LoadedApp() {
    if (!app_) {
        const std::string folder =
            folderOption.empty() ? ProgramFolderOfThisProcess() : DeriveProgramFolder(folderOption);
        app_ = std::make_unique<App>(folder, platform_.SystemClock(), platform_.SystemLocale(),
                                     platform_.Files());
        // Another program busy in the folder finishes its own commit.
        const std::error_code recovery = app_->Start();
        if (recovery && recovery != std::errc::device_or_resource_busy)
            std::cerr << "kiro: an interrupted change of " << folder
                      << " could not be finished: " << recovery.message() << "\n";
        if (const std::error_code& error = app_->Config().LoadError())
            std::cerr << "kiro: cannot read " << app_->Paths().SettingsFile() << " (" << error.message()
                      << "): the defaults are used, and the file is left as it is\n";
    }
    return *app_;
}

App& CliContext::ReadingApp() {
    App& app = LoadedApp();
    if (reading_) return app;
    reading_ = std::make_unique<ProgramFolderWriter::Hold>(app.Writer().ReadLock());
    if (const std::error_code& error = reading_->Error()) {
        const bool busy = error == std::errc::device_or_resource_busy;
        std::cerr << "kiro: cannot read " << app.Paths().Folder() << ": "
                  << (busy ? Utf8(app.GetLangText(TextId::FolderBusy)) : error.message()) << "\n";
        throw CLI::RuntimeError(busy ? kExitFolderBusy : kExitFailed);
    }
    app.LoadSettings();
    return app;
}

std::string CliContext::Utf8(const std::string& text) {
    return platform_.Codec().ToUtf8(text, LoadedApp().CurrentLanguage());
}

std::string CliContext::CodePage(const std::string& utf8) {
    return platform_.Codec().FromUtf8(utf8, LoadedApp().CurrentLanguage());
}

}  // namespace kiro::cli
