#pragma once
#include <array>
#include <cstdint>

#include "core/store/MonthStore.h"

namespace kiro {

// The last two months read from the store (a week or a night may cross a month end). A month is
// read again only when the store has changed since, or after Forget().
class RecentMonths {
  public:
    explicit RecentMonths(const MonthStore& store) : store_(store) {}

    const LoadedMonth& Get(int year, int month);
    void Forget();

  private:
    struct Slot {
        bool valid = false;
        int year = 0;
        int month = 0;
        uint64_t revision = 0;
        uint64_t lastUse = 0;
        LoadedMonth data;
    };

    const MonthStore& store_;
    std::array<Slot, 2> slots_;
    uint64_t useCounter_ = 0;
};

}  // namespace kiro
