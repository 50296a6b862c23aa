// A text day file from a watch disk: "h1:m1~h2:m2 n" lines. Input: the day (first byte), the
// slight-move threshold (second byte, signed), then the file.
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
    const StepTally tally = AddTextDayFile(content, day, *month, slightMoving);

    const int first = fuzz::RequireOnlyItsDay(*month, day);
    const uint16_t* minutes = month->minutes.data();
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
