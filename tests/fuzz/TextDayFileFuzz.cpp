// A text day file from a watch disk: "h1:m1~h2:m2 n" lines. Input: the day (first byte), the
// slight-move threshold (second byte, signed), then the file.
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
    const StepTally tally = AddTextDayFile(content, day, *month, slightMoving);

    const int first = MonthBuffer::SlotIndex(day, 0, 0);
    const uint16_t* minutes = month->minutes.data();
    fuzz::Require(fuzz::AllZero(minutes, first) && fuzz::AllZero(minutes + first + kMinutesPerDay,
                                                                 kSlotsPerMonth - first - kMinutesPerDay),
                  "a day file adds only to its own day");
    int64_t stored = 0;
    bool saturated = false;
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        stored += minutes[first + minute];
        saturated = saturated || minutes[first + minute] == 65535;
    }
    fuzz::Require(tally.steps >= 0 && tally.period >= 0, "counts never go below zero");
    if (!saturated) fuzz::Require(stored == tally.steps, "every step counted is stored");
    fuzz::Require(tally.missionSteps == tally.steps, "a text file's steps all count for the missions");
    fuzz::Require(tally.activeMinutes <= tally.period, "active minutes are minutes of the periods");
    return 0;
}
