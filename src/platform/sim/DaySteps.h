#pragma once
#include <array>
#include <cstdint>

namespace kiro::sim {

// One calendar day of per-minute step counts, minute 0 = 00:00, as a watch records them.
struct DaySteps {
    int year = 2014;
    int month = 1;
    int day = 1;
    std::array<uint16_t, 1440> minutes{};

    uint16_t At(int hour, int minute) const { return minutes[hour * 60 + minute]; }
};

}  // namespace kiro::sim
