#include "core/analysis/YearReport.h"

#include <algorithm>
#include <span>

#include "core/analysis/Metrics.h"
#include "core/analysis/MinuteWindowSums.h"
#include "core/app/Settings.h"
#include "core/base/Format.h"
#include "core/base/Numbers.h"
#include "core/store/MonthStore.h"

namespace kiro {
namespace {

// A bar fills its month but for this much on either side, so that neighbours stand apart.
constexpr double kBarInset = 0.1;

// The days of one month file, each as its month report row works it out.
YearPeriodFigures MonthFigures(const MonthBuffer& buffer, int year, int month, const BodyMeasures& body,
                               int slightMoving) {
    YearPeriodFigures figures;
    for (int day = 1; day <= kDaysPerMonthFile; ++day) {
        const auto minutes = std::span<const uint16_t>(buffer.minutes)
                                 .subspan(static_cast<size_t>(day - 1) * kMinutesPerDay, kMinutesPerDay);
        int steps = 0;
        int activeMinutes = 0;
        for (const uint16_t count : minutes) {
            const int filtered = FilteredCount(count, slightMoving);
            steps += filtered;
            activeMinutes += filtered > 0 ? 1 : 0;
        }
        if (steps == 0) continue;
        const WalkFigures walk = DayFigures(body, steps, activeMinutes);
        figures.steps += steps;
        figures.distanceKm += walk.distanceKm;
        figures.calories += walk.calories;
        ++figures.activeDays;
        if (steps > figures.bestDaySteps) {
            figures.bestDay = CalendarDay{year, month, day};
            figures.bestDaySteps = steps;
        }
    }
    return figures;
}

void DrawBars(YearReport& report) {
    for (int month = 1; month <= 12; ++month) {
        const double steps = static_cast<double>(report.months[month - 1].steps);
        if (steps == 0) continue;
        const double left = month + kBarInset;
        const double right = month + 1 - kBarInset;
        report.lines.push_back({left, 0, left, steps});
        report.lines.push_back({left, steps, right, steps});
        report.lines.push_back({right, steps, right, 0});
    }
}

}  // namespace

YearPeriodFigures& YearPeriodFigures::operator+=(const YearPeriodFigures& other) {
    steps += other.steps;
    distanceKm += other.distanceKm;
    calories += other.calories;
    activeDays += other.activeDays;
    if (other.bestDaySteps > bestDaySteps) {
        bestDay = other.bestDay;
        bestDaySteps = other.bestDaySteps;
    }
    return *this;
}

YearReport BuildYearReport(const MonthStore& store, const Settings& settings, int year) {
    YearReport report;
    report.year = year;
    const SettingsValues& values = settings.Values();
    const BodyMeasures body{values.weight, values.stepSize};
    if (const ProgramFolderWriter::Hold reading = store.Reading()) {
        LoadedMonth loaded;
        for (int month = 1; month <= 12; ++month) {
            store.LoadMonthInto(year, month, loaded);
            if (loaded.found)
                report.months[month - 1] =
                    MonthFigures(loaded.buffer, year, month, body, values.slightMoving);
        }
    }
    int64_t largest = 0;
    for (const YearPeriodFigures& month : report.months) {
        report.total += month;
        largest = std::max(largest, month.steps);
    }

    GraphSetup& graph = report.graph;
    graph.valueUpper = RoundedAxisMaximum(SaturatedInt(largest));
    // A bar as high as the scale burns the year's calories per step that many times.
    if (report.total.steps > 0)
        graph.rightUpper = graph.valueUpper * report.total.calories / static_cast<double>(report.total.steps);
    graph.timeLower = 1.0;
    graph.timeUpper = 12.99;
    graph.timeCaptionText = TextId::Months;
    DrawBars(report);
    return report;
}

std::string MonthText(int year, int month) {
    return Format("%04d/%02d", year, month);
}

YearListRow YearRow(const YearReport& report, int month) {
    const YearPeriodFigures& figures = report.months[month - 1];
    YearListRow row;
    row.cells = {Format("   %d", month),
                 MonthText(report.year, month),
                 Format("%lld   ", static_cast<long long>(figures.steps)),
                 Format("%.3f   ", figures.distanceKm),
                 Format("%.3f   ", figures.calories),
                 Format("%d   ", figures.activeDays),
                 figures.bestDay
                     ? DayText(figures.bestDay->year, figures.bestDay->month, figures.bestDay->day) + "   "
                     : ""};
    row.background = RowBackground(month - 1);
    return row;
}

}  // namespace kiro
