#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "cli/DateArgument.h"
#include "cli/ReadableMonths.h"
#include "core/analysis/CalendarDay.h"
#include "core/analysis/SleepSession.h"

namespace kiro::cli {

void AddSleepCommand(CLI::App& cli, CliContext& context) {
    struct SleepArgs {
        std::string date;
        bool json = false;
    };
    auto args = std::make_shared<SleepArgs>();
    CLI::App* sleep =
        cli.add_subcommand("sleep", "Analyse the night of a date with the sleep window of the settings");
    sleep->add_option("DATE", args->date, "The day the window starts from")
        ->required()
        ->check(CalendarDayValidator());
    sleep->add_flag("--json", args->json, "Times, efficiency, the curve and the estimate as JSON");
    sleep->callback([args, &context] {
        App& app = context.ReadingApp();
        const CalendarDay date = *ParseCalendarDay(args->date);
        // The night may reach into the next month.
        RequireReadableMonths(context, date, FirstOfNextMonth(date));
        // The first analysis of this process: its jitter starts from the generator's first value.
        const SleepSession session(app, date.year, date.month, date.day, false);
        if (args->json) {
            nlohmann::ordered_json out;
            out["bed"] = ClockTimeText(session.BedTime());
            out["wake"] = ClockTimeText(session.WakeTime());
            out["sleep"] = DurationText(session.Result().SleepMinutes());
            out["efficiency"] = session.Result().efficiency;
            out["curve"] = session.Curve();
            // Minutes after 00:00 of DATE; wake is the last minute asleep.
            if (const auto& estimate = session.Estimate())
                out["estimate"] = {{"bed_minute", estimate->bedMinute},
                                   {"wake_minute", estimate->wakeMinute}};
            else
                out["estimate"] = nullptr;
            std::cout << out.dump() << "\n";
            return;
        }
        for (const std::string& text :
             {session.BedTimeText(), session.WakeTimeText(), session.SleepTimeText(),
              session.EfficiencyText(), session.EstimateText()})
            std::cout << context.Codec().ToUtf8(text, app.CurrentLanguage()) << "\n";
    });
}

}  // namespace kiro::cli
