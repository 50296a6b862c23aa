#include <iostream>

#include "cli/Commands.h"
#include "core/app/Language.h"

namespace kiro::cli {

void AddTextCommand(CLI::App& cli, CliContext& context) {
    struct TextArgs {
        int index = 0;
        int language = -1;
        bool raw = false;
    };
    auto args = std::make_shared<TextArgs>();
    CLI::App* text = cli.add_subcommand("text", "Print a UI text in UTF-8 (or its stored bytes with --raw)");
    text->add_option("INDEX", args->index, "Text index, 0 to the last")
        ->required()
        ->check(CLI::Range(0, kTextCount - 1));
    text->add_option("--lang", args->language,
                     "0 English, 1 Traditional Chinese, 2 Simplified Chinese (default: the settings)")
        ->check(CLI::Range(0, 2));
    text->add_flag("--raw", args->raw, "Print the stored Big5/GBK/ASCII bytes unconverted");
    text->callback([args, &context] {
        const int language = args->language >= 0 ? args->language : context.LoadedApp().CurrentLanguage();
        const char* stored = GetLangText(language, static_cast<TextId>(args->index));
        if (args->raw)
            std::cout << stored << "\n";
        else
            std::cout << context.Codec().ToUtf8(stored, language) << "\n";
    });
}

}  // namespace kiro::cli
