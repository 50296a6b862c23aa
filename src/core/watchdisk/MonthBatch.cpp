#include "core/watchdisk/MonthBatch.h"

namespace kiro {

MonthBuffer& MonthBatch::Month(int year, int month) {
    const auto key = std::make_pair(year, month);
    auto found = months_.find(key);
    if (found == months_.end()) found = months_.emplace(key, store_.LoadMonth(year, month).buffer).first;
    return found->second;
}

}  // namespace kiro
