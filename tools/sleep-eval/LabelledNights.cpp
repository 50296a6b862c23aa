#include "tools/sleep-eval/LabelledNights.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "core/analysis/SleepEstimate.h"
#include "core/base/CalendarMath.h"

namespace kiro::sleepeval {
namespace {

constexpr int64_t kMinutesPerDay64 = kMinutesPerDay;
using DayMinutes = std::array<int32_t, kMinutesPerDay>;

int64_t DayNumber(int64_t minute) {
    return minute >= 0 ? minute / kMinutesPerDay64 : (minute - kMinutesPerDay64 + 1) / kMinutesPerDay64;
}

// Person -> day number -> minutes, unrecorded hours left as no data.
std::map<std::string, std::map<int64_t, DayMinutes>> ReadSteps(const std::string& path) {
    std::map<std::string, std::map<int64_t, DayMinutes>> steps;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = SplitCommas(line);
        const std::optional<int64_t> hour = fields.size() == 62 ? ParseDataTime(fields[1]) : std::nullopt;
        if (!hour) continue;
        auto [day, added] = steps[fields[0]].try_emplace(DayNumber(*hour));
        if (added) day->second.fill(kNoStepData);
        const auto first = static_cast<size_t>(*hour - day->first * kMinutesPerDay64);
        for (size_t m = 0; m < 60 && first + m < kMinutesPerDay; ++m)
            day->second[first + m] = static_cast<int32_t>(std::strtol(fields[2 + m].c_str(), nullptr, 10));
    }
    return steps;
}

struct Session {
    int64_t start = INT64_MAX;
    int64_t end = INT64_MIN;
};

// Person -> sessions, each from its first to its last labelled minute.
std::map<std::string, std::vector<Session>> ReadSessions(const std::string& path) {
    std::map<std::string, std::map<std::string, Session>> byLog;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = SplitCommas(line);
        const std::optional<int64_t> minute = fields.size() == 4 ? ParseDataTime(fields[1]) : std::nullopt;
        if (!minute) continue;
        Session& session = byLog[fields[0]][fields[3]];
        session.start = std::min(session.start, *minute);
        session.end = std::max(session.end, *minute);
    }
    std::map<std::string, std::vector<Session>> sessions;
    for (const auto& [person, logs] : byLog)
        for (const auto& [log, session] : logs) sessions[person].push_back(session);
    return sessions;
}

}  // namespace

std::vector<std::string> SplitCommas(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) fields.push_back(field);
    return fields;
}

std::optional<int64_t> ParseDataTime(const std::string& text) {
    int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
    char meridiem[3] = {};
    if (std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d %2s", &month, &day, &year, &hour, &minute, &second,
                    meridiem) != 7)
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 1 || hour > 12 ||
        minute < 0 || minute > 59)
        return std::nullopt;
    hour %= 12;
    if (meridiem[0] == 'P') hour += 12;
    return DaysFromCivil(year, month, day) * kMinutesPerDay64 + hour * 60 + minute;
}

std::vector<LabelledNight> LoadLabelledNights(const std::string& stepsCsv, const std::string& sleepCsv) {
    const auto steps = ReadSteps(stepsCsv);
    const auto sessions = ReadSessions(sleepCsv);
    std::vector<LabelledNight> nights;
    for (const auto& [person, personSessions] : sessions) {
        const auto personSteps = steps.find(person);
        if (personSteps == steps.end()) continue;
        // The night of a session starting before 03:00 began the evening before.
        std::set<int64_t> dates;
        for (const Session& session : personSessions) {
            const int64_t minuteOfDay = session.start - DayNumber(session.start) * kMinutesPerDay64;
            if (minuteOfDay >= kEstimateWindowStartMinute) dates.insert(DayNumber(session.start));
            if (minuteOfDay <= 3 * 60) dates.insert(DayNumber(session.start) - 1);
        }
        for (const int64_t date : dates) {
            const auto evening = personSteps->second.find(date);
            const auto morning = personSteps->second.find(date + 1);
            if (evening == personSteps->second.end() || morning == personSteps->second.end()) continue;
            LabelledNight night;
            night.person = person;
            night.minutes.assign(evening->second.begin(), evening->second.end());
            night.minutes.insert(night.minutes.end(), morning->second.begin(), morning->second.end());
            const auto window =
                std::span(night.minutes).subspan(kEstimateWindowStartMinute, kEstimateWindowMinutes);
            if (std::find(window.begin(), window.end(), kNoStepData) != window.end()) continue;
            const int64_t windowStart = date * kMinutesPerDay64 + kEstimateWindowStartMinute;
            int64_t bed = INT64_MAX;
            int64_t wake = INT64_MIN;
            for (const Session& session : personSessions) {
                if (session.start < windowStart || session.start > windowStart + 15 * 60) continue;
                bed = std::min(bed, session.start);
                wake = std::max(wake, session.end);
            }
            const LocalTime civil = FromSeconds(date * 86400);
            night.date = {civil.year, civil.month, civil.day};
            night.referenceBed = static_cast<int>(bed - date * kMinutesPerDay64);
            night.referenceWake = static_cast<int>(wake - date * kMinutesPerDay64);
            nights.push_back(std::move(night));
        }
    }
    return nights;
}

}  // namespace kiro::sleepeval
