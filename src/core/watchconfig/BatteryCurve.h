#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace kiro {

// The watch's battery history as the setup page draws it: 240 hourly readings in a ring on data
// page 14 (the newest at the ring position in byte 256, the readings in bytes 272..511). A
// reading of 0 is a gap; between two readings the hours in between are interpolated.
inline constexpr int kBatteryHours = 240;

enum class BatteryBand { Red, Yellow, Green };

struct BatteryHour {
    int hour = 0;      // 0 the oldest .. 239 the newest; drawn at hour - 240
    double level = 0;  // percent, 0..100
    BatteryBand band = BatteryBand::Red;
};

// The level in percent of a reading: (reading - 200) x 2.941176470588235, within 0..100.
double BatteryLevel(int reading);
BatteryBand BandOf(double level);

// The hours to draw, oldest first: every hour from one reading up to (not including) the next,
// so the newest reading itself, and a history of one reading, draw nothing.
std::vector<BatteryHour> BatteryCurve(const std::array<uint8_t, 512>& page);

}  // namespace kiro
