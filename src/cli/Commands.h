#pragma once
#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace kiro::cli {

// Exit statuses of the commands that change the program folder.
enum ExitStatus : int {
    kExitDone = 0,        // everything asked for was done
    kExitFailed = 1,      // something failed; the reasons went to standard error
    kExitNotAWatch = 2,   // kiro collect: the target is not a watch
    kExitFolderBusy = 3,  // another program held the program folder (or the watch disk)
};

// Each command adds itself to the command line with what it needs from the shared context.
void AddSettingsCommand(CLI::App& cli, CliContext& context);
void AddTextCommand(CLI::App& cli, CliContext& context);
void AddReportCommand(CLI::App& cli, CliContext& context);
void AddSleepCommand(CLI::App& cli, CliContext& context);
void AddSummaryCommand(CLI::App& cli, CliContext& context);
void AddExportCommand(CLI::App& cli, CliContext& context);
void AddSimulateCommand(CLI::App& cli, CliContext& context);
void AddInquiryCommand(CLI::App& cli, CliContext& context);
void AddCollectCommand(CLI::App& cli, CliContext& context);
// kiro import: per-minute steps of another tracker, stored as a collection stores a watch's.
void AddImportCommand(CLI::App& cli, CliContext& context);
// kiro plot: the graph of a report as an SVG picture.
void AddPlotCommand(CLI::App& cli, CliContext& context);
void AddWatchSettingsCommand(CLI::App& cli, CliContext& context);
// kiro display-frames and kiro display-render: the display simulation's effects and renderers.
void AddDisplayCommands(CLI::App& cli, CliContext& context);
// kiro clockfile, kiro block and kiro clockdiff: the watch's settings formats without a watch.
void AddWatchFormatCommands(CLI::App& cli, CliContext& context);
// kiro stamp: the program stamp of a file, as the update check reads it.
void AddStampCommand(CLI::App& cli, CliContext& context);
// kiro sign-update: the detached signature of a build, for a build made with the public key.
void AddSignUpdateCommand(CLI::App& cli, CliContext& context);

}  // namespace kiro::cli
