#include "platform/sim/RealWorldSteps.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

namespace kiro::sim {

std::vector<RealDay> LoadRealWorldSteps(const std::string& csvPath, const std::string& participantId) {
    std::ifstream in(csvPath);
    std::map<std::tuple<int, int, int>, RealDay> days;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string id, when, value;
        if (!std::getline(fields, id, ',') || id != participantId) continue;
        if (!std::getline(fields, when, ',')) continue;
        int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
        char meridiem[3] = {};
        if (std::sscanf(when.c_str(), "%d/%d/%d %d:%d:%d %2s", &month, &day, &year, &hour, &minute, &second,
                        meridiem) != 7)
            continue;
        if (hour == 12) hour = 0;
        if (meridiem[0] == 'P') hour += 12;
        if (hour < 0 || hour > 23) continue;
        RealDay& entry = days[{year, month, day}];
        entry.year = year;
        entry.month = month;
        entry.day = day;
        ++entry.recordedHours;
        for (int m = 0; m < 60 && std::getline(fields, value, ','); ++m)
            entry.minutes[hour * 60 + m] = static_cast<uint16_t>(std::stoi(value));
    }
    std::vector<RealDay> result;
    result.reserve(days.size());
    for (auto& [key, entry] : days) result.push_back(entry);
    return result;
}

}  // namespace kiro::sim
