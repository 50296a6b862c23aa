#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "core/analysis/PlainText.h"
#include "core/analysis/Summary.h"
#include "core/app/Language.h"

namespace kiro::cli {

void AddSummaryCommand(CLI::App& cli, CliContext& context) {
    auto json = std::make_shared<bool>(false);
    CLI::App* summary =
        cli.add_subcommand("summary", "Print the running totals: distance, walking time, calories");
    summary->add_flag("--json", *json, "The three texts as JSON, the time in English");
    summary->callback([json, &context] {
        App& app = context.ReadingApp();
        if (*json) {
            const SummaryTexts english = MakeSummaryTexts(app.Config().Values(), kEnglish);
            nlohmann::ordered_json out;
            out["distance"] = WithoutPadding(english.distance);
            out["time"] = WithoutPadding(english.time);
            out["calories"] = WithoutPadding(english.calories);
            std::cout << out.dump() << "\n";
            return;
        }
        const SummaryTexts texts = MakeSummaryTexts(app.Config().Values(), app.CurrentLanguage());
        for (const auto& [label, value] :
             {std::pair{texts.distanceLabel, texts.distance}, std::pair{texts.timeLabel, texts.time},
              std::pair{texts.caloriesLabel, texts.calories}})
            std::cout << context.Codec().ToUtf8(label + " " + value, app.CurrentLanguage()) << "\n";
    });
}

}  // namespace kiro::cli
