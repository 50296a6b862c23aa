#pragma once
#include <memory>
#include <string>

#include "cli/CliPlatform.h"
#include "core/app/App.h"

namespace kiro::cli {

// What every command shares: the machine it runs on, the program folder option and, once asked
// for, the App over it, started exactly as the desktop program starts: a commit a crash left
// unfinished is finished first, then the settings are loaded.
class CliContext {
  public:
    explicit CliContext(CliPlatform& platform) : platform_(platform) {}
    CliContext(const CliContext&) = delete;
    CliContext& operator=(const CliContext&) = delete;

    std::string folderOption;

    App& LoadedApp();
    // The App for a command that only reads: it holds the program folder's shared lock from here
    // to the end of the command, with the settings loaded again under it, so that what it prints
    // is the folder as it stands between two commits. A folder that stays busy ends the command
    // with kExitFolderBusy, one whose interrupted commit cannot be finished with kExitFailed.
    App& ReadingApp();
    CliPlatform& Platform() { return platform_; }
    const TextCodec& Codec() { return platform_.Codec(); }
    // The file system, for commands that read files outside the program folder.
    FileSystem& Files() { return platform_.Files(); }
    // A text of the program in the terminal's UTF-8.
    std::string Utf8(const std::string& text);
    // A UTF-8 text (a file's name) in the current language's 8-bit encoding, to go into a text of
    // the program.
    std::string CodePage(const std::string& utf8);

  private:
    CliPlatform& platform_;
    std::unique_ptr<App> app_;
    std::unique_ptr<ProgramFolderWriter::Hold> reading_;
};

}  // namespace kiro::cli
