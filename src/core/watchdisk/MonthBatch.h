#pragma once
#include <map>
#include <utility>

#include "core/watchdisk/MonthStore.h"

namespace kiro {

// The steps one source adds, month by month, kept apart from the store until they are committed
// together: added then to the months as their files hold them at that moment, so that a change
// made in the meantime (a row deleted while a collection waits on the watch) is kept.
class MonthBatch {
  public:
    // The additions to one month, zeros on first use.
    MonthBuffer& Month(int year, int month) { return months_[{year, month}]; }
    bool Empty() const { return months_.empty(); }
    const std::map<std::pair<int, int>, MonthBuffer>& Months() const { return months_; }

  private:
    std::map<std::pair<int, int>, MonthBuffer> months_;
};

}  // namespace kiro
