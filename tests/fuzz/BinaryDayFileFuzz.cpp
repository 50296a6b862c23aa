// A binary day file from a watch disk: 24 hours of big-endian minute counts. Input: the day
// (first byte), the slight-move threshold (second byte, signed), then the file.
#include <cstdint>
#include <memory>

#include "FuzzCheck.h"
#include "core/watchdisk/DayDataDecoders.h"

using namespace kiro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int day = data[0] % kDaysPerMonthFile + 1;
    const int slightMoving = static_cast<int8_t>(data[1]);
    const std::string content(fuzz::TextOf(data + 2, size - 2));

    const auto month = std::make_unique<MonthBuffer>();
    StepTally tally;
    const bool taken = AddBinaryDayFile(content, day, *month, slightMoving, tally);
    fuzz::Require(taken == (content.size() >= static_cast<size_t>(kKroFileBytes)),
                  "a file is taken exactly when it is long enough");

    const int first = MonthBuffer::SlotIndex(day, 0, 0);
    const uint16_t* minutes = month->minutes.data();
    fuzz::Require(fuzz::AllZero(minutes, first) && fuzz::AllZero(minutes + first + kMinutesPerDay,
                                                                 kSlotsPerMonth - first - kMinutesPerDay),
                  "a day file adds only to its own day");
    int64_t stored = 0;
    int64_t minutesWithSteps = 0;
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        stored += minutes[first + minute];
        if (minutes[first + minute] != 0) ++minutesWithSteps;
    }
    if (!taken) fuzz::Require(stored == 0 && tally.Empty(), "a short file adds nothing");
    fuzz::Require(stored == tally.steps, "every step counted is stored");
    fuzz::Require(tally.period == minutesWithSteps, "the period is the minutes with steps");
    fuzz::Require(tally.missionSteps == tally.steps, "a day file's steps all count for the missions");
    fuzz::Require(tally.activeMinutes <= tally.period || slightMoving < 0,
                  "active minutes are minutes with steps");
    return 0;
}
