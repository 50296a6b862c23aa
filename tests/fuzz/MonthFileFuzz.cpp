// A month file of the store, of any size and content (a file from another program, a disk
// error, an old backup), loaded and added to as a collection adds to it. Adding steps to one day
// never changes another day's slots, the running total rises by the steps added, and the export
// holds every step stored. Input (FuzzedDataProvider): the month, the day and the minutes added,
// then the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "FuzzCheck.h"
#include "core/analysis/StoredMinutes.h"
#include "core/app/App.h"
#include "core/base/CalendarMath.h"
#include "core/watchdisk/CollectedSteps.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"

using namespace kiro;

namespace {

// The slots of a month in the byte order of its file (little-endian, as this machine's).
const uint8_t* BytesOf(const MonthBuffer& buffer) {
    return reinterpret_cast<const uint8_t*>(buffer.minutes.data());
}

// The month as it was read: each slot its two bytes, a half slot at the end with a zero high
// byte, zeros beyond the file, nothing beyond 89280 bytes.
void CheckLoaded(const LoadedMonth& loaded, const std::string& file) {
    fuzz::Require(loaded.found && !loaded.error, "a month file that can be read is found");
    const size_t used = std::min(file.size(), static_cast<size_t>(kMonthFileBytes));
    fuzz::Require(std::memcmp(BytesOf(loaded.buffer), file.data(), used) == 0 &&
                      fuzz::AllZero(BytesOf(loaded.buffer) + used, kMonthFileBytes - used),
                  "each slot is its two bytes of the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFolder folder;
    FuzzedDataProvider input(data, size);
    const int year = 2012 + input.ConsumeIntegralInRange(0, 3);
    const int month = input.ConsumeIntegralInRange(1, 12);
    const int day = input.ConsumeIntegralInRange(1, kDaysPerMonthFile);
    CollectedSteps steps;
    const int additions = input.ConsumeIntegralInRange(0, 16);
    for (int i = 0; i < additions; ++i) {
        const int minute = input.ConsumeIntegralInRange(0, kMinutesPerDay - 1);
        const int count = input.ConsumeIntegral<uint16_t>();
        AddToSlot(steps.months.Month(year, month), day, 0, minute, count);
        steps.tally.steps += count;
    }
    const std::string file = input.ConsumeRemainingBytesAsString();

    folder.Empty();
    folder.Folder().Write(MonthFileName(year, month), file);
    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeFileSystem files;
    App app(folder.Path(), clock, locale, files);
    fuzz::Require(!app.Start(), "a folder without a commit record starts");

    const auto before = std::make_unique<LoadedMonth>(app.Store().LoadMonth(year, month));
    CheckLoaded(*before, file);
    {
        const ProgramFolderWriter::Hold hold = app.Writer().Lock();
        fuzz::Require(static_cast<bool>(hold), "the folder's lock is free");
        fuzz::Require(!CommitCollectedSteps(app, steps), "the steps are committed");
    }
    const auto after = std::make_unique<LoadedMonth>(app.Store().LoadMonth(year, month));
    fuzz::Require(after->found, "the month is still there");

    const size_t dayStart = 2 * static_cast<size_t>(MonthBuffer::SlotIndex(day, 0, 0));
    const size_t dayEnd = dayStart + 2 * kMinutesPerDay;
    fuzz::Require(std::memcmp(BytesOf(after->buffer), BytesOf(before->buffer), dayStart) == 0 &&
                      std::memcmp(BytesOf(after->buffer) + dayEnd, BytesOf(before->buffer) + dayEnd,
                                  kMonthFileBytes - dayEnd) == 0,
                  "adding steps to one day never changes another day's slots");
    const auto added = std::make_unique<MonthBuffer>();
    if (!steps.Empty()) *added = steps.months.Month(year, month);
    int64_t rise = 0;
    bool saturated = false;
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        const int slot = MonthBuffer::SlotIndex(day, 0, minute);
        const int sum = before->buffer.minutes[slot] + added->minutes[slot];
        fuzz::Require(after->buffer.minutes[slot] == std::min(sum, 65535), "a minute takes its additions");
        rise += after->buffer.minutes[slot] - before->buffer.minutes[slot];
        saturated = saturated || sum >= 65535;
    }
    fuzz::Require(app.Config().Values().totalSteps == steps.tally.steps,
                  "the total rises by the steps added");
    if (!saturated) fuzz::Require(rise == steps.tally.steps, "the month holds every step added to the total");

    int64_t exported = 0;
    int64_t stored = 0;
    const int lastDay = DaysInMonth(year, month);
    ForEachStoredMinute(app.Store(), {year, month, 1}, {year, month, lastDay},
                        [&exported](const StepMinute& minute) { exported += minute.steps; });
    for (int slot = 0; slot < lastDay * kMinutesPerDay; ++slot) stored += after->buffer.minutes[slot];
    fuzz::Require(exported == stored, "the export holds every step stored in the month's days");
    return 0;
}
