// kiro: the command-line front end. It reads and writes the same program folder as the desktop
// program, through the same core.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "core/app/App.h"

int main(int argc, char** argv) {
    kiro::cli::CliContext context;
    CLI::App cli{"kiro - the X5 watch companion on the command line"};
    cli.set_version_flag("--version", std::string("kiro ") + kiro::kVersionText);
    cli.add_option("--folder", context.folderOption, "Program folder (default: the current directory)");
    cli.require_subcommand(0, 1);

    kiro::cli::AddSettingsCommand(cli, context);
    kiro::cli::AddTextCommand(cli, context);
    kiro::cli::AddReportCommand(cli, context);
    kiro::cli::AddSleepCommand(cli, context);
    kiro::cli::AddSummaryCommand(cli, context);
    kiro::cli::AddExportCommand(cli, context);
    kiro::cli::AddSimulateCommand(cli, context);
    kiro::cli::AddInquiryCommand(cli, context);
    kiro::cli::AddCollectCommand(cli, context);
    kiro::cli::AddWatchSettingsCommand(cli, context);
    kiro::cli::AddDisplayCommands(cli, context);
    kiro::cli::AddWatchFormatCommands(cli, context);
    kiro::cli::AddStampCommand(cli, context);

    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return cli.exit(error);
    }
    if (cli.get_subcommands().empty()) std::cout << cli.help();
    return 0;
}
