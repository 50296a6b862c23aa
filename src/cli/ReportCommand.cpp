#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "cli/DateArgument.h"
#include "cli/ReadableMonths.h"
#include "core/analysis/CalendarDay.h"
#include "core/analysis/PlainText.h"
#include "core/analysis/ReportBuilder.h"

namespace kiro::cli {
namespace {

ReportMode ModeNamed(const std::string& name) {
    return name == "week" ? ReportMode::Week : name == "day" ? ReportMode::Day : ReportMode::Month;
}

constexpr const char* kHeaders[7] = {"No",           "When",        "Steps",        "Cadence",
                                     "Distance(Km)", "Speed(Km/H)", "Calorie(KCal)"};

std::vector<std::array<std::string, 7>> PlainRows(const Report& report) {
    std::vector<std::array<std::string, 7>> rows;
    for (const ReportRow& row : report.rows) {
        std::array<std::string, 7> cells;
        for (size_t i = 0; i < cells.size(); ++i) cells[i] = WithoutPadding(row.Cell(static_cast<int>(i)));
        rows.push_back(cells);
    }
    return rows;
}

void PrintTable(const std::vector<std::array<std::string, 7>>& rows) {
    std::array<size_t, 7> widths{};
    for (size_t i = 0; i < widths.size(); ++i) {
        widths[i] = std::string(kHeaders[i]).size();
        for (const auto& row : rows) widths[i] = std::max(widths[i], row[i].size());
    }
    const auto printLine = [&widths](const auto& cells) {
        std::string line;
        for (size_t i = 0; i < widths.size(); ++i) {
            const std::string& cell = cells[i];
            const std::string pad(widths[i] - cell.size(), ' ');
            if (i > 0) line += "  ";
            line += i == kWhenColumn ? cell + pad : pad + cell;  // the date left, numbers right
        }
        std::cout << line.substr(0, line.find_last_not_of(' ') + 1) << "\n";
    };
    printLine(kHeaders);
    for (const auto& row : rows) printLine(row);
}

void PrintCsv(const std::vector<std::array<std::string, 7>>& rows) {
    const auto printLine = [](const auto& cells) {
        for (size_t i = 0; i < 7; ++i) std::cout << (i > 0 ? "," : "") << cells[i];
        std::cout << "\n";
    };
    printLine(kHeaders);
    for (const auto& row : rows) printLine(row);
}

void PrintJson(const std::string& mode, const Report& report,
               const std::vector<std::array<std::string, 7>>& rows) {
    nlohmann::ordered_json out;
    out["mode"] = mode;
    out["rows"] = rows;
    out["series"] = report.series;
    out["left_max"] = report.leftMax;
    out["right_max"] = report.rightMax;
    std::cout << out.dump() << "\n";
}

}  // namespace

void AddReportCommand(CLI::App& cli, CliContext& context) {
    struct ReportArgs {
        std::string mode, date;
        bool csv = false, json = false;
    };
    auto args = std::make_shared<ReportArgs>();
    CLI::App* report = cli.add_subcommand("report", "Print the month, week or day report around a date");
    report->add_option("MODE", args->mode, "month, week or day")
        ->required()
        ->check(CLI::IsMember({"month", "week", "day"}));
    report->add_option("DATE", args->date, "The selected date")->required()->check(CalendarDayValidator());
    CLI::Option* csv = report->add_flag("--csv", args->csv, "Comma-separated rows with a header line");
    report->add_flag("--json", args->json, "Rows, graph series and axis tops as JSON")->excludes(csv);
    report->callback([args, &context] {
        App& app = context.ReadingApp();
        const CalendarDay date = *ParseCalendarDay(args->date);
        const ReportMode mode = ModeNamed(args->mode);
        if (mode == ReportMode::Week)
            RequireReadableMonths(context, WeekStart(date), WeekEnd(date));
        else
            RequireReadableMonths(context, date, date);
        ReportBuilder builder(app.Store(), app.Config());
        const Report& report = builder.Build(mode, date.year, date.month, date.day);
        const auto rows = PlainRows(report);
        if (args->json)
            PrintJson(args->mode, report, rows);
        else if (args->csv)
            PrintCsv(rows);
        else
            PrintTable(rows);
    });
}

}  // namespace kiro::cli
