#include "cli/RunKiro.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/Commands.h"
#include "core/app/App.h"

namespace kiro::cli {

int RunKiro(int argc, char** argv, CliContext& context) {
    CLI::App cli{"kiro - the X5 watch companion on the command line"};
    cli.set_version_flag("--version", std::string("kiro ") + kVersionText);
    cli.add_option("--folder", context.folderOption, "Program folder (default: the current directory)")
        // Given empty, it would quietly mean the working directory.
        ->check(CLI::Validator(
            [](const std::string& text) {
                return text.empty() ? "the program folder cannot be an empty name" : "";
            },
            "DIR"));
    cli.require_subcommand(0, 1);
    // On Windows the parser would otherwise take "/name" for an option: a path such as
    // "/data/watch" must stay a path there as here.
    cli.allow_windows_style_options(false);

    AddSettingsCommand(cli, context);
    AddTextCommand(cli, context);
    AddReportCommand(cli, context);
    AddSleepCommand(cli, context);
    AddSummaryCommand(cli, context);
    AddExportCommand(cli, context);
    AddSimulateCommand(cli, context);
    AddInquiryCommand(cli, context);
    AddCollectCommand(cli, context);
    AddImportCommand(cli, context);
    AddPlotCommand(cli, context);
    AddWatchSettingsCommand(cli, context);
    AddDisplayCommands(cli, context);
    AddWatchFormatCommands(cli, context);
    AddStampCommand(cli, context);
    AddSignUpdateCommand(cli, context);

    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return cli.exit(error);
    }
    if (cli.get_subcommands().empty()) std::cout << cli.help();
    return 0;
}

}  // namespace kiro::cli
