#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "core/app/ProgramFolder.h"

namespace kiro {

inline constexpr int kMinutesPerDay = 1440;
inline constexpr int kDaysPerMonthFile = 31;
inline constexpr int kSlotsPerMonth = kDaysPerMonthFile * kMinutesPerDay;  // 44640
inline constexpr int kMonthFileBytes = kSlotsPerMonth * 2;                 // 89280

// One month of per-minute step counts: the image of one month file, day d minute m of the
// day at slot (d - 1) * 1440 + m, 31 day blocks whatever the length of the month.
struct MonthBuffer {
    std::array<uint16_t, kSlotsPerMonth> minutes{};

    static int SlotIndex(int day, int hour, int minute) { return (day - 1) * kMinutesPerDay + hour * 60 + minute; }
    uint16_t At(int day, int hour, int minute) const { return minutes[SlotIndex(day, hour, minute)]; }
};

// Adds a count to one minute. A sum that would pass 65535 stays at 65535 instead of wrapping
// round to a small number.
void AddToSlot(MonthBuffer& buffer, int day, int hour, int minute, int count);
void AddToSlotIndex(MonthBuffer& buffer, int slot, int count);

struct LoadedMonth {
    MonthBuffer buffer;
    bool found = false;
};

// The monthly store: one file of 89280 bytes per calendar month in the Data folder, little-endian
// 16-bit counts, no header. Every operation reads or writes a whole file.
class MonthStore {
public:
    explicit MonthStore(const ProgramPaths& paths) : paths_(paths) {}

    // A missing or unreadable file gives zeros; a short file is read as far as it goes.
    LoadedMonth LoadMonth(int year, int month) const;
    // Writes the whole month through a temporary file renamed over the old one, so that a stop
    // in the middle of a write leaves the previous month intact. Returns false on failure.
    bool SaveMonth(int year, int month, const MonthBuffer& buffer) const;
    // Saves several months, keyed by (year, month): every file is written to its temporary
    // first, and only when all are written are they renamed into place. False, with no month
    // changed, when any cannot be written.
    bool SaveMonths(const std::map<std::pair<int, int>, MonthBuffer>& months) const;
    // Zeroes one day from fromHour:fromMinute to toHour:toMinute inclusive and saves the month.
    // Nothing happens when the month has no file. Returns false when the save fails.
    bool ClearRange(int year, int month, int day, int fromHour, int fromMinute, int toHour, int toMinute) const;
    // Deletes every month file of the store; files that cannot be deleted are skipped.
    void DeleteAll() const;

    std::string MonthFilePath(int year, int month) const { return paths_.MonthFile(year, month); }

    // Counts changes of the stored data (saves, clears, deletion, and changes announced with
    // MarkChanged), so that a report built from the store knows when to read it again.
    uint64_t Revision() const { return revision_; }
    void MarkChanged() const { ++revision_; }

private:
    const ProgramPaths& paths_;
    mutable uint64_t revision_ = 0;
};

}  // namespace kiro
