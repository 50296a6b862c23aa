#include "core/analysis/ReportBuilder.h"

#include <algorithm>
#include <span>

#include "core/analysis/ActivityPeriods.h"
#include "core/analysis/MinuteWindowSums.h"
#include "core/app/Settings.h"
#include "core/base/CalendarMath.h"

namespace kiro {
namespace {

constexpr int kHoursPerDay = 24;
constexpr int kMinimumAxis = 100;

// How a mode spreads its series over the time axis.
struct ModeLayout {
    int points;
    double timeLower;
    double timeUpper;
    int pointsPerUnit;
    TimeLabelStyle labels;
    TextId captionText;
};

ModeLayout LayoutOf(ReportMode mode, bool perMinute) {
    switch (mode) {
        case ReportMode::Week:
            return {7 * kHoursPerDay, 0.0, 6.99, kHoursPerDay, TimeLabelStyle::WeekdayNames, TextId::Week};
        case ReportMode::Day:
            if (perMinute) return {kMinutesPerDay, 0.0, 24.0, 60, TimeLabelStyle::Numbers, TextId::Hours};
            return {kHoursPerDay, 0.0, 24.0, 1, TimeLabelStyle::Numbers, TextId::Hours};
        case ReportMode::Month:
            break;
    }
    return {kDaysPerMonthFile * kHoursPerDay, 1.0,         31.99, kHoursPerDay,
            TimeLabelStyle::Numbers,          TextId::Days};
}

std::span<const uint16_t> DayMinutes(const MonthBuffer& buffer, int day) {
    return std::span<const uint16_t>(buffer.minutes)
        .subspan(static_cast<size_t>(day - 1) * kMinutesPerDay, kMinutesPerDay);
}

// Adds the filtered steps of each hour of a day to `sums` from `firstHour` on.
void AddHourlySums(std::span<const uint16_t> dayMinutes, int slightMoving, std::vector<int>& sums,
                   int firstHour) {
    // Hour by hour, so that the inner sum has no store in it and the compiler can vectorise it.
    for (int hour = 0; hour < kHoursPerDay; ++hour) {
        int sum = 0;
        for (const uint16_t count : dayMinutes.subspan(static_cast<size_t>(hour) * 60, 60))
            sum += FilteredCount(count, slightMoving);
        sums[firstHour + hour] += sum;
    }
}

int AxisFromSums(const std::vector<int>& sums) {
    const int largest = sums.empty() ? 0 : *std::max_element(sums.begin(), sums.end());
    return std::max(largest, kMinimumAxis);
}

// Segments from each point to the next or, for a watch that records every minute (DisplayMode
// set), a bar from every point down to zero, in every mode; the last point has its bar too, or
// the last minute of a day would never show.
std::vector<GraphLine> PlotLines(const ModeLayout& layout, const std::vector<int>& series, bool bars) {
    const auto x = [&layout](int i) {
        return layout.timeLower + static_cast<double>(i) / layout.pointsPerUnit;
    };
    std::vector<GraphLine> lines;
    lines.reserve(static_cast<size_t>(layout.points));
    if (bars) {
        for (int i = 0; i < layout.points; ++i) lines.push_back({x(i), double(series[i]), x(i), 0.0});
    } else {
        for (int i = 0; i + 1 < layout.points; ++i)
            lines.push_back({x(i), double(series[i]), x(i + 1), double(series[i + 1])});
    }
    return lines;
}

LocalTime WeekStart(int year, int month, int day) {
    LocalTime date{year, month, day, 0, 0, 0, WeekdayOf(year, month, day)};
    return AddDays(date, -date.weekday);
}

}  // namespace

const Report& ReportBuilder::Build(ReportMode mode, int year, int month, int day) {
    const SettingsValues& values = settings_.Values();
    const bool dateExists = month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
    CacheKey key{.mode = mode,
                 .year = year,
                 .month = month,
                 .day = 0,
                 .storeRevision = store_.Revision(),
                 .slightMoving = values.slightMoving,
                 .displayMode = values.displayMode,
                 .weight = values.weight,
                 .stepSize = values.stepSize};
    if (mode == ReportMode::Week && dateExists) {
        // Every week has its own report, also two weeks of the same month.
        const LocalTime sunday = WeekStart(year, month, day);
        key.year = sunday.year;
        key.month = sunday.month;
        key.day = sunday.day;
    }
    if (mode != ReportMode::Day && built_ == key) return report_;
    // Read as the folder stands between two commits of any program. While another keeps it past
    // the wait, the last whole report stays; none at all is better than a half-made one.
    const ProgramFolderWriter::Hold reading = store_.Reading();
    if (!reading) {
        if (!built_) {
            report_ = Report{};
            report_.mode = mode;
        }
        return report_;
    }

    ++generation_;
    // The rows' room is kept from one report to the next: a week holds hundreds of rows.
    std::vector<ReportRow> rows = std::move(report_.rows);
    rows.clear();
    report_ = Report{};
    report_.rows = std::move(rows);
    report_.mode = mode;
    const ModeLayout layout = LayoutOf(mode, mode == ReportMode::Day && values.displayMode != 0);
    report_.series.assign(layout.points, 0);
    if (dateExists) {
        switch (mode) {
            case ReportMode::Month:
                BuildMonth(year, month);
                break;
            case ReportMode::Week:
                BuildWeek(year, month, day);
                break;
            case ReportMode::Day:
                BuildDay(year, month, day);
                break;
        }
    }
    built_ = key;

    GraphSetup& graph = report_.graph;
    graph.valueUpper = report_.leftMax;
    graph.rightUpper = report_.rightMax;
    graph.timeLower = layout.timeLower;
    graph.timeUpper = layout.timeUpper;
    graph.labelStyle = layout.labels;
    graph.timeCaptionText = layout.captionText;
    report_.lines = PlotLines(layout, report_.series, values.displayMode != 0);
    return report_;
}

void ReportBuilder::Invalidate() {
    built_.reset();
    months_.Forget();
}

void ReportBuilder::BuildMonth(int year, int month) {
    const LoadedMonth& loaded = months_.Get(year, month);
    if (!loaded.found) return;
    const SettingsValues& values = settings_.Values();
    const BodyMeasures body{values.weight, values.stepSize};
    for (int day = 1; day <= kDaysPerMonthFile; ++day) {
        const std::span<const uint16_t> minutes = DayMinutes(loaded.buffer, day);
        const int firstHour = (day - 1) * kHoursPerDay;
        AddHourlySums(minutes, values.slightMoving, report_.series, firstHour);
        int steps = 0;
        for (int hour = firstHour; hour < firstHour + kHoursPerDay; ++hour) steps += report_.series[hour];
        if (steps == 0) continue;
        int activeMinutes = 0;
        for (const uint16_t count : minutes) activeMinutes += FilteredCount(count, values.slightMoving) > 0;
        const int index = static_cast<int>(report_.rows.size());
        report_.rows.push_back(
            MakeReportRow(index, RowWhen{year, month, day}, steps, DayFigures(body, steps, activeMinutes)));
    }
    report_.leftMax = AxisFromSums(report_.series);
    report_.rightMax = CalorieAxisMaximum(body, report_.leftMax);
}

void ReportBuilder::BuildWeek(int year, int month, int day) {
    const LocalTime sunday = WeekStart(year, month, day);
    const int slightMoving = settings_.Values().slightMoving;
    bool anyFound = false;
    std::array<LocalTime, 7> dates;
    std::array<std::vector<ActivityPeriod>, 7> periods;
    size_t rows = 0;
    for (int offset = 0; offset < 7; ++offset) {
        dates[offset] = AddDays(sunday, offset);
        const LoadedMonth& loaded = months_.Get(dates[offset].year, dates[offset].month);
        anyFound = anyFound || loaded.found;
        const std::span<const uint16_t> minutes = DayMinutes(loaded.buffer, dates[offset].day);
        AddHourlySums(minutes, slightMoving, report_.series, offset * kHoursPerDay);
        periods[offset] = FindActivityPeriods(minutes, slightMoving);
        rows += periods[offset].size();
    }
    report_.rows.reserve(rows);
    for (int offset = 0; offset < 7; ++offset)
        AddPeriodRows(periods[offset], dates[offset].year, dates[offset].month, dates[offset].day);
    if (!anyFound) return;
    report_.leftMax = AxisFromSums(report_.series);
    const SettingsValues& values = settings_.Values();
    report_.rightMax = CalorieAxisMaximum({values.weight, values.stepSize}, report_.leftMax);
}

void ReportBuilder::BuildDay(int year, int month, int day) {
    const LoadedMonth& loaded = months_.Get(year, month);
    if (!loaded.found) return;
    const SettingsValues& values = settings_.Values();
    std::vector<int> hourly(kHoursPerDay, 0);
    AddHourlySums(DayMinutes(loaded.buffer, day), values.slightMoving, hourly, 0);
    AddPeriodRows(FindActivityPeriods(DayMinutes(loaded.buffer, day), values.slightMoving), year, month, day);
    report_.leftMax = AxisFromSums(hourly);
    report_.rightMax = CalorieAxisMaximum({values.weight, values.stepSize}, report_.leftMax);
    if (values.displayMode != 0) {
        // The calorie axis stays that of the hourly view: the window sums are steps per hour too.
        report_.series = MinuteWindowSums(loaded.buffer, year, month, day);
        report_.leftMax = RoundedAxisMaximum(*std::max_element(report_.series.begin(), report_.series.end()));
    } else {
        report_.series = std::move(hourly);
    }
}

// The periods of one day, split at midnight so that every row names minutes of a single day
// (which is what deleting a row relies on).
void ReportBuilder::AddPeriodRows(const std::vector<ActivityPeriod>& periods, int year, int month, int day) {
    const SettingsValues& values = settings_.Values();
    const BodyMeasures body{values.weight, values.stepSize};
    for (const ActivityPeriod& period : periods) {
        const int index = static_cast<int>(report_.rows.size());
        report_.rows.push_back(MakeReportRow(index, RowWhen{year, month, day, period.first, period.last},
                                             period.steps,
                                             PeriodFigures(body, period.steps, period.first, period.last)));
    }
}

}  // namespace kiro
