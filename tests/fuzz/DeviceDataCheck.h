#pragma once
// What the device decoders promise whatever the watch hands over: steps land only in the hours
// their records name, and the minutes stored add up to the steps counted.
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "core/store/MonthBatch.h"
#include "core/store/StepTally.h"

namespace kiro::fuzz {

class DeviceDataCheck {
  public:
    // Slots [first, end) of a month may receive steps.
    void Allow(int year, int month, int first, int end) {
        allowed_[{year, month}].push_back({std::max(first, 0), std::min(end, kSlotsPerMonth)});
    }

    void Verify(const MonthBatch& batch, const StepTally& tally) {
        int64_t stored = 0;
        bool saturated = false;
        for (const auto& [key, buffer] : batch.Months()) {
            std::vector<std::pair<int, int>>& ranges = allowed_[key];
            std::sort(ranges.begin(), ranges.end());
            // The slots between the allowed ranges hold nothing; those inside are added up once.
            int next = 0;
            for (const auto& [first, end] : ranges) {
                if (first > next)
                    Require(AllZero(buffer.minutes.data() + next, first - next),
                            "steps land only in the hours their record names");
                for (int slot = std::max(first, next); slot < end; ++slot) {
                    stored += buffer.minutes[slot];
                    saturated = saturated || buffer.minutes[slot] == 65535;
                }
                next = std::max(next, end);
            }
            Require(AllZero(buffer.minutes.data() + next, kSlotsPerMonth - next),
                    "steps land only in the hours their record names");
        }
        Require(tally.steps >= 0 && tally.missionSteps >= 0 && tally.period >= 0, "counts stay positive");
        Require(tally.missionSteps <= tally.steps, "mission steps are steps");
        if (!saturated) Require(stored == tally.steps, "every step counted is stored");
    }

  private:
    std::map<std::pair<int, int>, std::vector<std::pair<int, int>>> allowed_;
};

}  // namespace kiro::fuzz
