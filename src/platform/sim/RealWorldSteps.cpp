#include "platform/sim/RealWorldSteps.h"

#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "core/watchdisk/StepFile.h"

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
        // The times as the import reads them.
        const std::optional<LocalTime> hour = ParseStepFileTime(when);
        if (!hour) continue;
        RealDay& entry = days[{hour->year, hour->month, hour->day}];
        entry.year = hour->year;
        entry.month = hour->month;
        entry.day = hour->day;
        ++entry.recordedHours;
        for (int m = 0; m < 60 && std::getline(fields, value, ','); ++m)
            entry.minutes[hour->hour * 60 + m] = static_cast<uint16_t>(std::stoi(value));
    }
    std::vector<RealDay> result;
    result.reserve(days.size());
    for (auto& [key, entry] : days) result.push_back(entry);
    return result;
}

}  // namespace kiro::sim
