#include "core/store/MonthStore.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kiro {
namespace {

std::string MonthFileBytes(const MonthBuffer& buffer) {
    std::string bytes(kMonthFileBytes, '\0');
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes.data(), buffer.minutes.data(), kMonthFileBytes);
    } else {
        for (int i = 0; i < kSlotsPerMonth; ++i) {
            bytes[2 * i] = static_cast<char>(buffer.minutes[i] & 0xFF);
            bytes[2 * i + 1] = static_cast<char>(buffer.minutes[i] >> 8);
        }
    }
    return bytes;
}

}  // namespace

void AddToSlotIndex(MonthBuffer& buffer, int slot, int64_t count) {
    if (slot < 0 || slot >= kSlotsPerMonth || count <= 0) return;
    buffer.minutes[slot] = static_cast<uint16_t>(std::min<int64_t>(buffer.minutes[slot] + count, 65535));
}

void AddToSlot(MonthBuffer& buffer, int day, int hour, int minute, int64_t count) {
    AddToSlotIndex(buffer, MonthBuffer::SlotIndex(day, hour, minute), count);
}

LoadedMonth MonthStore::LoadMonth(int year, int month) const {
    LoadedMonth result;
    LoadMonthInto(year, month, result);
    return result;
}

void MonthStore::LoadMonthInto(int year, int month, LoadedMonth& into) const {
    const FileContent file =
        writer_.Files().ReadFile(MonthFilePath(year, month), kMonthFileBytes, OverLimit::ReadStart);
    into.found = !file.error;
    into.error = IsMissing(file.error) ? std::error_code() : file.error;
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.bytes.data());
    const size_t whole = into.found ? std::min(file.bytes.size() / 2, size_t{kSlotsPerMonth}) : 0;
    auto& minutes = into.buffer.minutes;
    // The file's little-endian counts are the buffer's own bytes on a little-endian machine.
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(minutes.data(), bytes, whole * 2);
    } else {
        for (size_t slot = 0; slot < whole; ++slot)
            minutes[slot] = static_cast<uint16_t>(bytes[2 * slot] | (bytes[2 * slot + 1] << 8));
    }
    std::fill(minutes.begin() + static_cast<std::ptrdiff_t>(whole), minutes.end(), uint16_t{0});
    // A half slot at the end of a short file reads with a zero high byte.
    if (into.found && whole < kSlotsPerMonth && file.bytes.size() % 2 != 0) minutes[whole] = bytes[2 * whole];
}

void MonthStore::StageMonth(FolderTransaction& transaction, int year, int month,
                            const MonthBuffer& buffer) const {
    transaction.Replace(MonthFileName(year, month), MonthFileBytes(buffer));
}

std::error_code MonthStore::SaveMonth(int year, int month, const MonthBuffer& buffer) const {
    const std::error_code error =
        writer_.Change([&](FolderTransaction& transaction) { StageMonth(transaction, year, month, buffer); });
    if (!error) MarkChanged();
    return error;
}

void MonthStore::StageAddition(FolderTransaction& transaction, int year, int month,
                               const MonthBuffer& additions, const std::map<int, uint32_t>* removals) const {
    LoadedMonth loaded = LoadMonth(year, month);
    if (loaded.error) return transaction.Fail(loaded.error);
    for (int slot = 0; slot < kSlotsPerMonth; ++slot)
        AddToSlotIndex(loaded.buffer, slot, additions.minutes[slot]);
    if (removals)
        for (const auto& [slot, amount] : *removals)
            if (slot >= 0 && slot < kSlotsPerMonth) {
                uint16_t& minute = loaded.buffer.minutes[slot];
                minute = static_cast<uint16_t>(minute > amount ? minute - amount : 0);
            }
    StageMonth(transaction, year, month, loaded.buffer);
}

std::error_code MonthStore::ClearRange(int year, int month, int day, int fromHour, int fromMinute, int toHour,
                                       int toMinute) const {
    const std::error_code error = writer_.Change([&](FolderTransaction& transaction) {
        LoadedMonth loaded = LoadMonth(year, month);
        if (loaded.error) return transaction.Fail(loaded.error);
        if (!loaded.found) return;
        const int first = MonthBuffer::SlotIndex(day, fromHour, fromMinute);
        const int last = MonthBuffer::SlotIndex(day, toHour, toMinute);
        for (int slot = std::max(first, 0); slot <= last && slot < kSlotsPerMonth; ++slot)
            loaded.buffer.minutes[slot] = 0;
        StageMonth(transaction, year, month, loaded.buffer);
    });
    if (!error) MarkChanged();
    return error;
}

void MonthStore::StageDeleteAll(FolderTransaction& transaction) const {
    const FolderListing listing = writer_.Files().ListFolder(writer_.Paths().DataFolder());
    if (listing.error && !IsMissing(listing.error)) return transaction.Fail(listing.error);
    for (const FolderEntry& entry : listing.entries) {
        const std::string name = std::string(kDataFolderName) + "/" + entry.name;
        if (entry.kind == EntryKind::Regular && IsCommittedFile(name)) transaction.Remove(name);
    }
}

}  // namespace kiro
