// A binary day file from a watch disk: 24 hours of big-endian minute counts. Input: the day
// (first byte), the slight-move threshold (second byte, signed), then the file.
#include <cstdint>
#include <memory>
#include <optional>

#include "DayFileInput.h"

using namespace kiro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<fuzz::DayFileInput> input = fuzz::ReadDayFileInput(data, size);
    if (!input) return 0;
    const auto& [day, slightMoving, content] = *input;

    const auto month = std::make_unique<MonthBuffer>();
    StepTally tally;
    const bool taken = AddBinaryDayFile(content, day, *month, slightMoving, tally);
    fuzz::Require(taken == (content.size() >= static_cast<size_t>(kKroFileBytes)),
                  "a file is taken exactly when it is long enough");

    const int first = fuzz::RequireOnlyItsDay(*month, day);
    const uint16_t* minutes = month->minutes.data();
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
