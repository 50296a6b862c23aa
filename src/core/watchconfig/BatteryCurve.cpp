#include "core/watchconfig/BatteryCurve.h"

#include <algorithm>

namespace kiro {
namespace {

constexpr size_t kRingPositionByte = 256;
constexpr size_t kFirstReadingByte = 272;
// One unit in the last place below the nearest double to 100 / 34: the level of a reading of
// 217 is just below 50 % and so drawn yellow.
constexpr double kPercentPerUnit = 2.941176470588235;

}  // namespace

double BatteryLevel(int reading) {
    return std::clamp((reading - 200) * kPercentPerUnit, 0.0, 100.0);
}

BatteryBand BandOf(double level) {
    if (level < 30) return BatteryBand::Red;
    if (level < 50) return BatteryBand::Yellow;
    return BatteryBand::Green;
}

std::vector<BatteryHour> BatteryCurve(const std::array<uint8_t, 512>& page) {
    const int ring = page[kRingPositionByte] % kBatteryHours;
    const auto reading = [&](int hour) {
        return int{page[kFirstReadingByte + (ring + 1 + hour) % kBatteryHours]};
    };
    std::vector<BatteryHour> hours;
    int previous = -1;  // the hour of the last reading met
    for (int hour = 0; hour < kBatteryHours; ++hour) {
        if (reading(hour) == 0) continue;
        if (previous >= 0) {
            const int a = reading(previous), b = reading(hour);
            for (int x = previous; x < hour; ++x) {
                // Integer division truncates toward zero, as the interpolation is meant to.
                const double level = BatteryLevel(a + (b - a) * (x - previous) / (hour - previous));
                hours.push_back({x, level, BandOf(level)});
            }
        }
        previous = hour;
    }
    return hours;
}

}  // namespace kiro
