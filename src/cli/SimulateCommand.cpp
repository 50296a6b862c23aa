#include <charconv>
#include <cstdio>
#include <iostream>

#include "cli/Commands.h"
#include "core/base/CalendarMath.h"
#include "platform/sim/FileModeWatch.h"
#include "platform/sim/StepGenerator.h"

namespace kiro::cli {

namespace {

// The years that a day file name may carry for the collection to take it.
constexpr int kFirstDayFileYear = 2012;
constexpr int kLastDayFileYear = 2099;

bool ParseDay(const std::string& text, LocalTime& day) {
    char extra = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &day.year, &day.month, &day.day, &extra) != 3)
        return false;
    return day.month >= 1 && day.month <= 12 && day.day >= 1 && day.day <= DaysInMonth(day.year, day.month);
}

// Digits only, within 64 bits: the number conversion alone would take "-1" and wrap it round.
CLI::Validator WholeNumberValidator() {
    return CLI::Validator(
        [](const std::string& text) {
            uint64_t value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            return error == std::errc() && end == text.data() + text.size()
                       ? std::string()
                       : "not a whole number from 0 to 18446744073709551615: " + text;
        },
        "N");
}

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "kiro simulate: " << message << "\n";
    throw CLI::RuntimeError(1);
}

}  // namespace

void AddSimulateCommand(CLI::App& cli, CliContext& context) {
    struct SimulateArgs {
        std::string folder;
        std::string from;
        int days = 0;
        uint64_t seed = 1;
        bool binary = false;
        bool text = false;
    };
    auto args = std::make_shared<SimulateArgs>();
    CLI::App* simulate = cli.add_subcommand(
        "simulate",
        "Write a simulated file-mode X5 watch disk: generated day files, CLOCK.TXT and USBWATCH.DAT");
    simulate->add_option("DIR", args->folder, "Folder that becomes the watch disk (made when missing)")
        ->required();
    simulate->add_option("--from", args->from, "First day, YYYY-MM-DD")->required();
    simulate->add_option("--days", args->days, "Number of days")->required()->check(CLI::Range(1, 3660));
    simulate->add_option("--seed", args->seed, "Seed of the step generator (default 1)")
        ->check(WholeNumberValidator());
    CLI::Option* binary =
        simulate->add_flag("--kro", args->binary, "Binary day files, every minute kept (default)");
    CLI::Option* text = simulate->add_flag("--txt", args->text, "Text day files of step periods");
    binary->excludes(text);

    simulate->callback([args, &context] {
        // An empty name would put the day files at the root of the file system.
        if (args->folder.empty()) Fail("DIR cannot be an empty name");
        LocalTime first;
        if (!ParseDay(args->from, first)) Fail("--from must be a day that exists, as YYYY-MM-DD");
        const LocalTime last = AddDays(first, args->days - 1);
        if (first.year < kFirstDayFileYear || last.year > kLastDayFileYear)
            Fail("the watch names its day files with years 2012 to 2099 only");

        const sim::FileModeWatch watch(args->folder);
        const auto format = args->text ? sim::DayFileFormat::Text : sim::DayFileFormat::Binary;
        for (const sim::DaySteps& day :
             sim::GenerateDays(first.year, first.month, first.day, args->days, args->seed))
            if (!watch.AddDay(day, format))
                Fail("cannot write " + args->folder + "/" + sim::DayFileName(day, format));
        // The watch was set at midnight before its first day.
        if (!watch.WriteClockFile(first) || !watch.WriteMarker(context.Platform().Attributes()))
            Fail("cannot write the watch files in " + args->folder);
        std::cout << "Wrote " << args->days << " day files (" << (args->text ? "TXT" : "KRO") << ") to "
                  << args->folder << "\n";
    });
}

}  // namespace kiro::cli
