// Saving and loading the state of a simulated device-mode watch as a text file:
//   KiroMeter simulated X5 watch 1
//   model C / collect 1 / drift 12.5
//   clock <ever set 0|1> <host seconds at the last set> <watch seconds at the last set>
//   settings <256 bytes in hex>
//   battery <ring position> <240 bytes in hex>
//   serial <text>                                (when it has one)
//   connection <number> <page records handed over, a 32-bit mask in hex> <blocks handed over>
//   hour YYYY-MM-DD HH <60 minute counts>      (one line per recorded hour)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/base/CalendarMath.h"
#include "core/base/Format.h"
#include "core/base/HexText.h"
#include "platform/sim/DeviceModeWatch.h"

namespace kiro::sim {

namespace {

constexpr const char* kStateHeader = "KiroMeter simulated X5 watch 1";

bool FromHex(const std::string& hex, uint8_t* bytes, size_t count) {
    return hex.size() == count * 2 && DecodeHexPairs(hex, bytes, count) == count;
}

}  // namespace

bool DeviceModeWatch::SaveState(const std::string& path) const {
    // Written beside the file and renamed over it: a program killed meanwhile leaves the whole
    // old state or the whole new one.
    const std::string written = path + ".new";
    std::ofstream out(written, std::ios::trunc);
    out << kStateHeader << "\n";
    out << "model " << options_.modelLetter << "\n";
    out << "collect " << (options_.collectFlag ? 1 : 0) << "\n";
    out << "drift " << Format("%.17g", options_.driftSecondsPerDay) << "\n";
    out << "clock " << (everSet_ ? 1 : 0) << " " << hostSecondsAtSet_ << " " << watchSecondsAtSet_ << "\n";
    out << "settings " << ToHexPairs(settings_.data(), settings_.size()) << "\n";
    out << "battery " << static_cast<int>(batteryRing_) << " " << ToHexPairs(battery_.data(), battery_.size())
        << "\n";
    if (!serial_.empty()) out << "serial " << serial_ << "\n";
    out << Format("connection %llu %lx %zu\n", static_cast<unsigned long long>(connection_),
                  recordsHandedOver_.to_ulong(), blocksHandedOver_);
    for (const auto& [hour, counts] : hours_) {
        const LocalTime time = FromSeconds(hour * 3600);
        out << Format("hour %04d-%02d-%02d %02d", time.year, time.month, time.day, time.hour);
        for (uint16_t count : counts) out << " " << count;
        out << "\n";
    }
    out.close();
    std::error_code error;
    if (out) std::filesystem::rename(written, path, error);
    return out && !error;
}

bool DeviceModeWatch::LoadState(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    if (!std::getline(in, line) || line != kStateHeader) return false;
    DeviceModeWatch loaded(hostClock_, options_);
    int sectionsSeen = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        if (key == "model") {
            fields >> loaded.options_.modelLetter;
        } else if (key == "collect") {
            int flag = 0;
            fields >> flag;
            loaded.options_.collectFlag = flag != 0;
        } else if (key == "drift") {
            fields >> loaded.options_.driftSecondsPerDay;
        } else if (key == "clock") {
            int everSet = 0;
            fields >> everSet >> loaded.hostSecondsAtSet_ >> loaded.watchSecondsAtSet_;
            loaded.everSet_ = everSet != 0;
        } else if (key == "settings") {
            std::string hex;
            fields >> hex;
            if (!FromHex(hex, loaded.settings_.data(), loaded.settings_.size())) return false;
        } else if (key == "battery") {
            int ring = 0;
            std::string hex;
            fields >> ring >> hex;
            if (ring < 0 || ring >= kBatterySamples ||
                !FromHex(hex, loaded.battery_.data(), loaded.battery_.size()))
                return false;
            loaded.batteryRing_ = static_cast<uint8_t>(ring);
        } else if (key == "serial") {
            fields >> loaded.serial_;
        } else if (key == "connection") {
            unsigned long records = 0;
            fields >> loaded.connection_ >> std::hex >> records >> std::dec >> loaded.blocksHandedOver_;
            loaded.recordsHandedOver_ = std::bitset<32>(records);
        } else if (key == "hour") {
            std::string date;
            int year = 0, month = 0, day = 0, hour = -1;
            fields >> date >> hour;
            if (std::sscanf(date.c_str(), "%d-%d-%d", &year, &month, &day) != 3 || hour < 0 || hour > 23)
                return false;
            HourCounts& counts = loaded.hours_[DaysFromCivil(year, month, day) * 24 + hour];
            for (uint16_t& count : counts) fields >> count;
        } else {
            return false;
        }
        if (fields.fail()) return false;
        ++sectionsSeen;
    }
    if (sectionsSeen == 0) return false;
    options_ = loaded.options_;
    hours_ = std::move(loaded.hours_);
    settings_ = loaded.settings_;
    everSet_ = loaded.everSet_;
    hostSecondsAtSet_ = loaded.hostSecondsAtSet_;
    watchSecondsAtSet_ = loaded.watchSecondsAtSet_;
    battery_ = loaded.battery_;
    batteryRing_ = loaded.batteryRing_;
    serial_ = loaded.serial_;
    connection_ = loaded.connection_;
    recordsHandedOver_ = loaded.recordsHandedOver_;
    blocksHandedOver_ = loaded.blocksHandedOver_;
    return true;
}

}  // namespace kiro::sim
