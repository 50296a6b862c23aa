#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "cli/DateArgument.h"
#include "cli/ReadableMonths.h"
#include "core/analysis/CalendarDay.h"
#include "core/analysis/PlainText.h"
#include "core/analysis/ReportBuilder.h"
#include "core/analysis/YearReport.h"
#include "core/base/Format.h"

namespace kiro::cli {
namespace {

ReportMode ModeNamed(const std::string& name) {
    return name == "week" ? ReportMode::Week : name == "day" ? ReportMode::Day : ReportMode::Month;
}

using Cells = std::vector<std::string>;

const Cells kHeaders = {"No", "When", "Steps", "Cadence", "Distance(Km)", "Speed(Km/H)", "Calorie(KCal)"};
const Cells kYearHeaders = {"Month",       "Steps",    "Distance(Km)",  "Calorie(KCal)",
                            "Active days", "Best day", "Best day steps"};

std::vector<Cells> PlainRows(const Report& report) {
    std::vector<Cells> rows;
    for (const ReportRow& row : report.rows) {
        Cells cells;
        for (int column = 0; column < 7; ++column) cells.push_back(WithoutPadding(row.Cell(column)));
        rows.push_back(cells);
    }
    return rows;
}

Cells YearCells(const std::string& when, const YearPeriodFigures& figures) {
    const std::optional<CalendarDay>& best = figures.bestDay;
    return {when,
            Format("%lld", static_cast<long long>(figures.steps)),
            Format("%.3f", figures.distanceKm),
            Format("%.3f", figures.calories),
            Format("%d", figures.activeDays),
            best ? DayText(best->year, best->month, best->day) : "",
            best ? Format("%d", figures.bestDaySteps) : ""};
}

// The twelve months and the year's total.
std::vector<Cells> YearRows(const YearReport& report) {
    std::vector<Cells> rows;
    for (int month = 1; month <= 12; ++month)
        rows.push_back(YearCells(MonthText(report.year, month), report.months[month - 1]));
    rows.push_back(YearCells("Total", report.total));
    return rows;
}

// Numbers right, the date or month (column `leftColumn`) left.
void PrintTable(const Cells& headers, const std::vector<Cells>& rows, size_t leftColumn) {
    std::vector<size_t> widths(headers.size());
    for (size_t i = 0; i < widths.size(); ++i) {
        widths[i] = headers[i].size();
        for (const auto& row : rows) widths[i] = std::max(widths[i], row[i].size());
    }
    const auto printLine = [&](const Cells& cells) {
        std::string line;
        for (size_t i = 0; i < widths.size(); ++i) {
            const std::string& cell = cells[i];
            const std::string pad(widths[i] - cell.size(), ' ');
            if (i > 0) line += "  ";
            line += i == leftColumn ? cell + pad : pad + cell;
        }
        std::cout << line.substr(0, line.find_last_not_of(' ') + 1) << "\n";
    };
    printLine(headers);
    for (const auto& row : rows) printLine(row);
}

void PrintCsv(const Cells& headers, const std::vector<Cells>& rows) {
    const auto printLine = [](const Cells& cells) {
        for (size_t i = 0; i < cells.size(); ++i) std::cout << (i > 0 ? "," : "") << cells[i];
        std::cout << "\n";
    };
    printLine(headers);
    for (const auto& row : rows) printLine(row);
}

void PrintJson(const std::string& mode, const std::vector<Cells>& rows, const nlohmann::ordered_json& series,
               const nlohmann::ordered_json& leftMax, const nlohmann::ordered_json& rightMax) {
    nlohmann::ordered_json out;
    out["mode"] = mode;
    out["rows"] = rows;
    out["series"] = series;
    out["left_max"] = leftMax;
    out["right_max"] = rightMax;
    std::cout << out.dump() << "\n";
}

struct ReportArgs {
    std::string mode, date;
    bool csv = false, json = false;
};

void Print(const ReportArgs& args, const Cells& headers, const std::vector<Cells>& rows, size_t leftColumn) {
    if (args.csv)
        PrintCsv(headers, rows);
    else
        PrintTable(headers, rows, leftColumn);
}

void PrintYear(CliContext& context, const ReportArgs& args, int year) {
    App& app = context.ReadingApp();
    RequireReadableMonths(context, {year, 1, 1}, {year, 12, 1});
    const YearReport report = BuildYearReport(app.Store(), app.Config(), year);
    const std::vector<Cells> rows = YearRows(report);
    if (!args.json) return Print(args, kYearHeaders, rows, 0);
    std::vector<int64_t> series;
    for (const YearPeriodFigures& month : report.months) series.push_back(month.steps);
    PrintJson(args.mode, rows, series, static_cast<int>(report.graph.valueUpper), report.graph.rightUpper);
}

}  // namespace

void AddReportCommand(CLI::App& cli, CliContext& context) {
    auto args = std::make_shared<ReportArgs>();
    CLI::App* report =
        cli.add_subcommand("report", "Print the month, week or day report around a date, or a year's months");
    report->add_option("MODE", args->mode, "month, week, day or year")
        ->required()
        ->check(CLI::IsMember({"month", "week", "day", "year"}));
    report->add_option("DATE", args->date, "The selected date (of a year: the year alone will do)")
        ->required()
        ->check(ReportDateValidator());
    CLI::Option* csv = report->add_flag("--csv", args->csv, "Comma-separated rows with a header line");
    report->add_flag("--json", args->json, "Rows, graph series and axis tops as JSON")->excludes(csv);
    report->callback([args, &context] {
        const ReportDate when = ParseReportDate(args->date, args->mode);
        if (args->mode == "year") return PrintYear(context, *args, when.year);
        App& app = context.ReadingApp();
        const CalendarDay date = *when.day;
        const ReportMode mode = ModeNamed(args->mode);
        if (mode == ReportMode::Week)
            RequireReadableMonths(context, WeekStart(date), WeekEnd(date));
        else
            RequireReadableMonths(context, date, date);
        ReportBuilder builder(app.Store(), app.Config());
        const Report& built = builder.Build(mode, date.year, date.month, date.day);
        const auto rows = PlainRows(built);
        if (args->json) return PrintJson(args->mode, rows, built.series, built.leftMax, built.rightMax);
        Print(*args, kHeaders, rows, kWhenColumn);
    });
}

}  // namespace kiro::cli
