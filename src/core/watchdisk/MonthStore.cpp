#include "core/watchdisk/MonthStore.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace kiro {

void AddToSlotIndex(MonthBuffer& buffer, int slot, int count) {
    if (slot < 0 || slot >= kSlotsPerMonth || count <= 0) return;
    const int sum = static_cast<int>(buffer.minutes[slot]) + count;
    buffer.minutes[slot] = static_cast<uint16_t>(std::min(sum, 65535));
}

void AddToSlot(MonthBuffer& buffer, int day, int hour, int minute, int count) {
    AddToSlotIndex(buffer, MonthBuffer::SlotIndex(day, hour, minute), count);
}

LoadedMonth MonthStore::LoadMonth(int year, int month) const {
    LoadedMonth result;
    std::ifstream in(paths_.MonthFile(year, month), std::ios::binary);
    if (!in) return result;
    result.found = true;
    std::vector<unsigned char> bytes(kMonthFileBytes, 0);
    in.read(reinterpret_cast<char*>(bytes.data()), kMonthFileBytes);
    for (int i = 0; i < kSlotsPerMonth; ++i)
        result.buffer.minutes[i] = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return result;
}

namespace {

std::string TemporaryOf(const std::string& path) { return path + ".tmp"; }

// Writes one month file; `created` tells whether a file was made that must go if the save fails.
bool WriteMonthFile(const std::string& path, const MonthBuffer& buffer, bool& created) {
    std::vector<unsigned char> bytes(kMonthFileBytes);
    for (int i = 0; i < kSlotsPerMonth; ++i) {
        bytes[2 * i] = static_cast<unsigned char>(buffer.minutes[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<unsigned char>(buffer.minutes[i] >> 8);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    created = static_cast<bool>(out);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), kMonthFileBytes);
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace

bool MonthStore::SaveMonth(int year, int month, const MonthBuffer& buffer) const {
    return SaveMonths({{{year, month}, buffer}});
}

bool MonthStore::SaveMonths(const std::map<std::pair<int, int>, MonthBuffer>& months) const {
    std::error_code error;
    std::filesystem::create_directories(paths_.DataFolder(), error);
    std::vector<std::string> written;
    bool ok = true;
    for (const auto& [key, buffer] : months) {
        const std::string temporary = TemporaryOf(paths_.MonthFile(key.first, key.second));
        bool created = false;
        ok = WriteMonthFile(temporary, buffer, created);
        if (created) written.push_back(temporary);
        if (!ok) break;
    }
    if (ok) {
        for (const auto& [key, buffer] : months) {
            const std::string path = paths_.MonthFile(key.first, key.second);
            std::filesystem::rename(TemporaryOf(path), path, error);
            if (error) ok = false;
        }
    }
    if (!ok)
        for (const std::string& temporary : written) std::filesystem::remove(temporary, error);
    if (ok) MarkChanged();
    return ok;
}

bool MonthStore::ClearRange(int year, int month, int day, int fromHour, int fromMinute, int toHour,
                            int toMinute) const {
    LoadedMonth loaded = LoadMonth(year, month);
    if (!loaded.found) return true;
    const int first = MonthBuffer::SlotIndex(day, fromHour, fromMinute);
    const int last = MonthBuffer::SlotIndex(day, toHour, toMinute);
    for (int slot = std::max(first, 0); slot <= last && slot < kSlotsPerMonth; ++slot) loaded.buffer.minutes[slot] = 0;
    return SaveMonth(year, month, loaded.buffer);
}

void MonthStore::DeleteAll() const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(paths_.DataFolder(), error)) {
        if (!entry.is_regular_file(error)) continue;
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.rfind("Kiro", 0) == 0 && name.substr(name.size() - 4) == ".BIN")
            std::filesystem::remove(entry.path(), error);
    }
    MarkChanged();
}

}  // namespace kiro
