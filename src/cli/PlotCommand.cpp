// kiro plot: the graph of a report as a picture, drawn as the window draws it.
#include <algorithm>
#include <cctype>
#include <iostream>

#include "cli/Commands.h"
#include "cli/DateArgument.h"
#include "cli/ReadableMonths.h"
#include "core/analysis/GraphPicture.h"
#include "core/analysis/ReportBuilder.h"
#include "core/analysis/YearReport.h"

namespace kiro::cli {
namespace {

struct PlotArgs {
    std::string mode, date, out;
    int width = kGraphPictureWidth;
    int height = kGraphPictureHeight;
};

bool EndsWith(std::string name, const std::string& lowerEnd) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name.size() >= lowerEnd.size() &&
           name.compare(name.size() - lowerEnd.size(), lowerEnd.size(), lowerEnd) == 0;
}

int Plot(CliContext& context, const PlotArgs& args) {
    if (EndsWith(args.out, ".png")) {
        std::cerr
            << "kiro: kiro draws SVG pictures; a PNG picture is saved from the window (the graph's menu, "
               "Save picture...)\n";
        return kExitFailed;
    }
    if (!EndsWith(args.out, ".svg")) {
        std::cerr << "kiro: the picture is SVG: name it FILE.svg\n";
        return kExitFailed;
    }
    const ReportDate when = ParseReportDate(args.date, args.mode);
    App& app = context.ReadingApp();
    const auto utf8Text = [&](TextId text) { return context.Utf8(app.GetLangText(text)); };
    GraphPicture picture;
    if (args.mode == "year") {
        RequireReadableMonths(context, {when.year, 1, 1}, {when.year, 12, 1});
        const YearReport report = BuildYearReport(app.Store(), app.Config(), when.year);
        picture = ReportGraphPicture(report.graph, report.lines, utf8Text);
    } else {
        const CalendarDay date = *when.day;
        const ReportMode mode = args.mode == "week"  ? ReportMode::Week
                                : args.mode == "day" ? ReportMode::Day
                                                     : ReportMode::Month;
        if (mode == ReportMode::Week)
            RequireReadableMonths(context, WeekStart(date), WeekEnd(date));
        else
            RequireReadableMonths(context, date, date);
        ReportBuilder builder(app.Store(), app.Config());
        const Report& report = builder.Build(mode, date.year, date.month, date.day);
        picture = ReportGraphPicture(report.graph, report.lines, utf8Text);
    }
    const std::string svg = GraphSvg(std::move(picture), args.width, args.height);
    if (const std::error_code error = context.Files().WriteFile(args.out, svg, Durability::Flushed)) {
        std::cerr << "kiro: cannot write " << args.out << ": " << error.message() << "\n";
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace

void AddPlotCommand(CLI::App& cli, CliContext& context) {
    auto args = std::make_shared<PlotArgs>();
    CLI::App* plot = cli.add_subcommand("plot", "Draw the graph of a report as an SVG picture");
    plot->add_option("MODE", args->mode, "month, week, day or year")
        ->required()
        ->check(CLI::IsMember({"month", "week", "day", "year"}));
    plot->add_option("DATE", args->date, "The selected date (of a year: the year alone will do)")
        ->required()
        ->check(ReportDateValidator());
    plot->add_option("--out", args->out, "The picture to write: FILE.svg")->required();
    plot->add_option("--width", args->width, "Width in pixels (the window's graph by default)")
        ->check(CLI::Range(200, 8000));
    plot->add_option("--height", args->height, "Height in pixels (the window's graph by default)")
        ->check(CLI::Range(100, 8000));
    plot->callback([args, &context] {
        if (const int status = Plot(context, *args); status != kExitDone) throw CLI::RuntimeError(status);
    });
}

}  // namespace kiro::cli
