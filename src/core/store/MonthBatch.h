#pragma once
#include <map>
#include <utility>

#include "core/store/MonthStore.h"

namespace kiro {

// The steps one source adds, month by month, kept apart from the store until they are committed
// together: added then to the months as their files hold them at that moment, so that a change
// made in the meantime (a row deleted while a collection waits on the watch) is kept.
class MonthBatch {
  public:
    // Steps taken away again from minutes of one month: slot and amount.
    using Removals = std::map<int, uint32_t>;

    // The additions to one month, zeros on first use.
    MonthBuffer& Month(int year, int month) { return months_[{year, month}]; }
    // Takes steps away from one minute of a month, after the additions and never below zero: a
    // count handed over again, larger, spreads over its minutes otherwise than before.
    void Remove(int year, int month, int slot, uint32_t amount) {
        Month(year, month);
        removals_[{year, month}][slot] += amount;
    }
    // Takes a month out again, its additions and removals with it.
    void Drop(const std::pair<int, int>& month) {
        months_.erase(month);
        removals_.erase(month);
    }
    bool Empty() const { return months_.empty(); }
    const std::map<std::pair<int, int>, MonthBuffer>& Months() const { return months_; }
    // What is taken away from a month; null when nothing.
    const Removals* RemovalsOf(const std::pair<int, int>& month) const {
        const auto found = removals_.find(month);
        return found == removals_.end() ? nullptr : &found->second;
    }

  private:
    std::map<std::pair<int, int>, MonthBuffer> months_;
    std::map<std::pair<int, int>, Removals> removals_;
};

}  // namespace kiro
