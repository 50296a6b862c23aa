#include <iostream>

#include "cli/Commands.h"
#include "core/base/IniText.h"

namespace kiro::cli {

void AddSettingsCommand(CLI::App& cli, CliContext& context) {
    CLI::App* settings =
        cli.add_subcommand("settings", "Print every settings value as the program holds it after loading");
    settings->callback([settings, &context] {
        if (!settings->get_subcommands().empty()) return;
        for (const auto& [key, value] : context.ReadingApp().Config().Describe())
            std::cout << key << "=" << value << "\n";
    });

    struct SetArgs {
        std::string section, key, value;
    };
    auto args = std::make_shared<SetArgs>();
    CLI::App* set = settings->add_subcommand("set", "Write one key of the settings file");
    set->add_option("SECTION", args->section)->required();
    set->add_option("KEY", args->key)->required();
    set->add_option("VALUE", args->value)->required();
    set->callback([args, &context] {
        if (!IsWritableIniName({args->section, args->key, args->value})) {
            std::cerr << "kiro settings set: a section or key name cannot be empty or hold a line break, "
                         "nor a section name ']' or a key name '='\n";
            throw CLI::RuntimeError(kExitFailed);
        }
        App& app = context.LoadedApp();
        if (const std::error_code error =
                app.Config().File().WriteString(args->section, args->key, args->value)) {
            const bool busy = error == std::errc::device_or_resource_busy;
            std::cerr << "kiro: cannot write " << app.Paths().SettingsFile() << ": "
                      << (busy ? context.Utf8(app.GetLangText(TextId::FolderBusy)) : error.message()) << "\n";
            throw CLI::RuntimeError(busy ? kExitFolderBusy : kExitFailed);
        }
    });
}

}  // namespace kiro::cli
