#include <iostream>

#include "cli/Commands.h"
#include "cli/DateArgument.h"
#include "cli/ReadableMonths.h"
#include "core/analysis/StoredMinutes.h"
#include "core/base/Format.h"

namespace kiro::cli {

void AddExportCommand(CLI::App& cli, CliContext& context) {
    struct ExportArgs {
        std::string from, to;
        bool csv = false;
    };
    auto args = std::make_shared<ExportArgs>();
    CLI::App* exporter = cli.add_subcommand(
        "export", "Print every stored minute with steps from one date to another, inclusive");
    exporter->add_option("FROM", args->from, "First date")->required()->check(CalendarDayValidator());
    exporter->add_option("TO", args->to, "Last date")->required()->check(CalendarDayValidator());
    exporter->add_flag("--csv", args->csv, "Begin with a header line");
    exporter->callback([args, &context] {
        const CalendarDay from = *ParseCalendarDay(args->from);
        const CalendarDay to = *ParseCalendarDay(args->to);
        if (to < from) {
            std::cerr << "kiro: " << args->to << " is before " << args->from << "\n";
            throw CLI::RuntimeError(1);
        }
        RequireReadableMonths(context, from, to);
        if (args->csv) std::cout << "When,Steps\n";
        ForEachStoredMinute(context.ReadingApp().Store(), from, to, [](const StepMinute& m) {
            std::cout << Format("%04d-%02d-%02d %02d:%02d,%d\n", m.date.year, m.date.month, m.date.day,
                                m.minuteOfDay / 60, m.minuteOfDay % 60, m.steps);
        });
    });
}

}  // namespace kiro::cli
