#include "support/StepFiles.h"

#include <array>

#include "core/base/CalendarMath.h"
#include "core/base/Format.h"

namespace kiro::test {
namespace {

constexpr const char* kDefaultId = "1503960366";

// "4/13/2016 1:05:00 AM", as the trackers with Ids write their times.
std::string UsTime(int year, int month, int day, int hour, int minute) {
    const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
    return Format("%d/%d/%d %d:%02d:00 %s", month, day, year, clockHour, minute, hour < 12 ? "AM" : "PM");
}

std::string HourRowsHeader() {
    std::string header = "Id,ActivityHour";
    for (int minute = 0; minute < 60; ++minute) header += Format(",Steps%02d", minute);
    return header + "\n";
}

void AppendHourRows(std::string& text, const std::string& id, const std::vector<KnownMinute>& minutes) {
    std::array<int, 60> row{};
    std::array<bool, 60> filled{};
    const KnownMinute* hour = nullptr;
    const auto flush = [&] {
        if (!hour) return;
        text += id + "," + UsTime(hour->year, hour->month, hour->day, hour->hour, 0);
        for (int count : row) text += Format(",%d", count);
        text += "\n";
        row.fill(0);
        filled.fill(false);
    };
    for (const KnownMinute& m : minutes) {
        const bool sameHour = hour && hour->year == m.year && hour->month == m.month && hour->day == m.day &&
                              hour->hour == m.hour && !filled[m.minute];
        if (!sameHour) {
            flush();
            hour = &m;
        }
        row[m.minute] = m.steps;
        filled[m.minute] = true;
    }
    flush();
}

}  // namespace

std::string StepFileText(StepFileFormat format, const std::vector<PersonMinutes>& people) {
    switch (format) {
        case StepFileFormat::HourRows: {
            std::string text = HourRowsHeader();
            for (const auto& [id, minutes] : people) AppendHourRows(text, id, minutes);
            return text;
        }
        case StepFileFormat::MinuteRows: {
            std::string text = "Id,ActivityMinute,Steps\n";
            for (const auto& [id, minutes] : people)
                for (const KnownMinute& m : minutes)
                    text += id + "," + UsTime(m.year, m.month, m.day, m.hour, m.minute) +
                            Format(",%d\n", m.steps);
            return text;
        }
        case StepFileFormat::TimeAndSteps:
            break;
    }
    std::string text = "time,steps\n";
    for (const KnownMinute& m : people.front().second)
        text += Format("%04d-%02d-%02d %02d:%02d,%d\n", m.year, m.month, m.day, m.hour, m.minute, m.steps);
    return text;
}

std::string StepFileText(StepFileFormat format, const std::vector<KnownMinute>& minutes) {
    return StepFileText(format, {{kDefaultId, minutes}});
}

const std::vector<KnownMinute>& EdgeMinutes() {
    static const std::vector<KnownMinute> minutes = {
        {2016, 1, 31, 23, 58, 5},   {2016, 1, 31, 23, 59, 7}, {2016, 2, 1, 0, 0, 9},
        {2016, 3, 13, 1, 59, 11},   {2016, 3, 13, 3, 0, 13},  // 02:00 to 02:59 never happened
        {2016, 11, 6, 1, 30, 10},   {2016, 11, 6, 1, 45, 3},  {2016, 11, 6, 1, 30, 12},  // 01:xx twice
        {2016, 12, 31, 23, 59, 30}, {2017, 1, 1, 0, 0, 40},
    };
    return minutes;
}

const std::vector<KnownMinute>& EdgeMinutesStored() {
    static const std::vector<KnownMinute> minutes = {
        {2016, 1, 31, 23, 58, 5}, {2016, 1, 31, 23, 59, 7},   {2016, 2, 1, 0, 0, 9},
        {2016, 3, 13, 1, 59, 11}, {2016, 3, 13, 3, 0, 13},    {2016, 11, 6, 1, 30, 22},
        {2016, 11, 6, 1, 45, 3},  {2016, 12, 31, 23, 59, 30}, {2017, 1, 1, 0, 0, 40},
    };
    return minutes;
}

std::string YearOfMinutesText(StepFileFormat format, int year) {
    std::vector<KnownMinute> minutes;
    minutes.reserve(366 * 1440);
    int steps = 0;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= DaysInMonth(year, month); ++day)
            for (int minute = 0; minute < 1440; ++minute)
                minutes.push_back({year, month, day, minute / 60, minute % 60, steps++ % 120 + 1});
    return StepFileText(format, minutes);
}

}  // namespace kiro::test
