#pragma once
#include <map>
#include <utility>

#include "core/watchdisk/MonthStore.h"

namespace kiro {

// The months one device read touches, loaded on first use and saved together at the end: a
// read is either stored whole or not at all, so the watch can keep its data for the next pass
// when a month cannot be written.
class MonthBatch {
public:
    explicit MonthBatch(const MonthStore& store) : store_(store) {}

    MonthBuffer& Month(int year, int month);
    bool Empty() const { return months_.empty(); }
    // Writes every month; false, with nothing changed, when any of them cannot be written.
    bool SaveAll() const { return store_.SaveMonths(months_); }

private:
    const MonthStore& store_;
    std::map<std::pair<int, int>, MonthBuffer> months_;
};

}  // namespace kiro
