#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <system_error>

#include "core/store/ProgramFolderWriter.h"

namespace kiro {

inline constexpr int kMinutesPerDay = 1440;
inline constexpr int kDaysPerMonthFile = 31;
inline constexpr int kSlotsPerMonth = kDaysPerMonthFile * kMinutesPerDay;  // 44640
inline constexpr int kMonthFileBytes = kSlotsPerMonth * 2;                 // 89280

// One month of per-minute step counts: the image of one month file, day d minute m of the
// day at slot (d - 1) * 1440 + m, 31 day blocks whatever the length of the month.
struct MonthBuffer {
    std::array<uint16_t, kSlotsPerMonth> minutes{};

    static int SlotIndex(int day, int hour, int minute) {
        return (day - 1) * kMinutesPerDay + hour * 60 + minute;
    }
    uint16_t At(int day, int hour, int minute) const { return minutes[SlotIndex(day, hour, minute)]; }
};

// Adds a count to one minute. A sum that would pass 65535 stays at 65535 instead of wrapping
// round to a small number, however large the count.
void AddToSlot(MonthBuffer& buffer, int day, int hour, int minute, int64_t count);
void AddToSlotIndex(MonthBuffer& buffer, int slot, int64_t count);

struct LoadedMonth {
    MonthBuffer buffer;
    bool found = false;
    // The file exists but could not be read: the buffer holds zeros that must never be written
    // over it.
    std::error_code error;
};

// The monthly store: one file of 89280 bytes per calendar month in the Data folder, little-endian
// 16-bit counts, no header. Every read takes a whole file; every change is a commit of the
// program folder (see ProgramFolderWriter).
class MonthStore {
  public:
    explicit MonthStore(ProgramFolderWriter& writer) : writer_(writer) {}

    // A missing file gives zeros; a short file is read as far as it goes, a long one to 89280
    // bytes.
    LoadedMonth LoadMonth(int year, int month) const;
    // The same into a month kept by the caller, sparing a copy of its 89 KB.
    void LoadMonthInto(int year, int month, LoadedMonth& into) const;
    // Writes one month in a commit of its own.
    std::error_code SaveMonth(int year, int month, const MonthBuffer& buffer) const;
    void StageMonth(FolderTransaction& transaction, int year, int month, const MonthBuffer& buffer) const;
    // Adds counts to a month as its file holds it at this moment, then takes `removals` (slot and
    // amount) away, never below zero, as part of a larger commit. A month that exists but cannot
    // be read fails the transaction instead of being replaced.
    void StageAddition(FolderTransaction& transaction, int year, int month, const MonthBuffer& additions,
                       const std::map<int, uint32_t>* removals = nullptr) const;
    // Zeroes one day from fromHour:fromMinute to toHour:toMinute inclusive and saves the month.
    // Nothing happens when the month has no file.
    std::error_code ClearRange(int year, int month, int day, int fromHour, int fromMinute, int toHour,
                               int toMinute) const;
    // Every month file of the store goes with the transaction.
    void StageDeleteAll(FolderTransaction& transaction) const;

    std::string MonthFilePath(int year, int month) const { return writer_.Paths().MonthFile(year, month); }
    // The folder's shared lock, for reading months together as they stand between commits.
    ProgramFolderWriter::Hold Reading() const { return writer_.ReadLock(); }

    // Counts changes of the stored data (saves, clears, deletion, and changes announced with
    // MarkChanged), so that a report built from the store knows when to read it again.
    uint64_t Revision() const { return revision_; }
    void MarkChanged() const { ++revision_; }

  private:
    ProgramFolderWriter& writer_;
    mutable uint64_t revision_ = 0;
};

}  // namespace kiro
