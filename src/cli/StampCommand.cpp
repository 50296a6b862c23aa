#include <cstdio>

#include "cli/Commands.h"
#include "core/update/ProgramStamp.h"

namespace kiro::cli {

void AddStampCommand(CLI::App& cli, CliContext& context) {
    auto path = std::make_shared<std::string>();
    CLI::App* stamp = cli.add_subcommand(
        "stamp", "Print the program stamp of a file (a Windows program's header or our ELF note) as 0x%08X");
    stamp->add_option("FILE", *path, "Program file")->required();
    stamp->callback([path, &context] {
        const ProgramStampRead read = ReadProgramStamp(context.Files(), *path);
        if (!read.opened) {
            (void)std::fprintf(stderr, "kiro stamp: cannot read %s as a program file\n", path->c_str());
            throw CLI::RuntimeError(kExitFailed);
        }
        // A file without a stamp has the stamp that no build is older than.
        std::printf("0x%08X\n", read.stamp);
    });
}

}  // namespace kiro::cli
