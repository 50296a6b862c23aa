// kiro import: per-minute steps of another tracker, stored as a collection stores a watch's.
#include <iostream>

#include "cli/Commands.h"
#include "core/base/Format.h"
#include "core/watchdisk/StepImport.h"

namespace kiro::cli {
namespace {

struct ImportArgs {
    std::string file;
    std::string person;
    bool dryRun = false;
};

int Import(CliContext& context, const ImportArgs& args) {
    App& app = context.LoadedApp();
    const std::string name = context.CodePage(args.file);
    StepFileContent file = ReadStepFile(context.Files(), args.file, args.person);
    if (file.problem != StepFileProblem::None) {
        std::cerr << "kiro: " << context.Utf8(DescribeStepFileProblem(app, file, name));
        if (file.problem == StepFileProblem::SeveralPeople) std::cerr << " (choose one with --person ID)";
        std::cerr << "\n";
        return kExitFailed;
    }
    const ImportOutcome outcome =
        args.dryRun ? PreviewStepFile(app, file) : ImportStepFile(app, std::move(file));
    switch (outcome.result) {
        case ImportResult::Stored:
            break;
        case ImportResult::ImportedBefore:
            std::cout << context.Utf8(FormatText(app.GetLangText(TextId::ImportedBefore), name.c_str()))
                      << "\n";
            return kExitDone;
        case ImportResult::FolderBusy:
            std::cerr << "kiro: " << context.Utf8(app.GetLangText(TextId::FolderBusy)) << "\n";
            return kExitFolderBusy;
        case ImportResult::FolderFailed:
            std::cerr << "kiro: " << app.Paths().Folder() << ": " << outcome.error.message()
                      << ": nothing was imported\n";
            return kExitFailed;
    }
    const std::string figures = DescribeImportFigures(app, outcome.figures);
    const TextId said = args.dryRun ? TextId::ImportPreview : TextId::ImportDone;
    std::cout << context.Utf8(FormatText(app.GetLangText(said), name.c_str(), figures.c_str())) << "\n";
    return kExitDone;
}

}  // namespace

void AddImportCommand(CLI::App& cli, CliContext& context) {
    auto args = std::make_shared<ImportArgs>();
    CLI::App* command = cli.add_subcommand(
        "import",
        "Store per-minute steps of another tracker from a CSV file (minutes holding steps stay as they are)");
    command
        ->add_option("FILE", args->file,
                     "Id,ActivityHour,Steps00..Steps59 | Id,ActivityMinute,Steps | time,steps")
        ->required();
    command->add_option("--person", args->person,
                        "The Id whose steps are taken from a file of several people");
    command->add_flag("--dry-run", args->dryRun, "Print what would be stored, and change nothing");
    command->callback([args, &context] {
        if (const int status = Import(context, *args); status != kExitDone) throw CLI::RuntimeError(status);
    });
}

}  // namespace kiro::cli
