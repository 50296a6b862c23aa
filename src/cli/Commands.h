#pragma once
#include <CLI/CLI.hpp>

#include "cli/CliContext.h"

namespace kiro::cli {

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
void AddWatchSettingsCommand(CLI::App& cli, CliContext& context);

}  // namespace kiro::cli
