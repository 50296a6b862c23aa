#pragma once
// What the two day-file targets share: how an input is laid out (the day in the first byte, the
// slight-move threshold in the second, signed, then the file) and the invariant that a day file
// adds to its own day's minutes only.
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "core/watchdisk/DayDataDecoders.h"

namespace kiro::fuzz {

struct DayFileInput {
    int day = 1;
    int slightMoving = 0;
    std::string content;
};

inline std::optional<DayFileInput> ReadDayFileInput(const uint8_t* data, size_t size) {
    if (size < 2) return std::nullopt;
    return DayFileInput{data[0] % kDaysPerMonthFile + 1, static_cast<int8_t>(data[1]),
                        std::string(TextOf(data + 2, size - 2))};
}

// The day's first slot, after checking that no other slot of the month was touched.
inline int RequireOnlyItsDay(const MonthBuffer& month, int day) {
    const int first = MonthBuffer::SlotIndex(day, 0, 0);
    const uint16_t* minutes = month.minutes.data();
    Require(AllZero(minutes, first) &&
                AllZero(minutes + first + kMinutesPerDay, kSlotsPerMonth - first - kMinutesPerDay),
            "a day file adds only to its own day");
    return first;
}

}  // namespace kiro::fuzz
