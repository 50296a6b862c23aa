#include "core/analysis/RecentMonths.h"

namespace kiro {

const LoadedMonth& RecentMonths::Get(int year, int month) {
    const uint64_t revision = store_.Revision();
    Slot* target = &slots_[0];
    for (Slot& slot : slots_) {
        if (slot.valid && slot.year == year && slot.month == month && slot.revision == revision) {
            slot.lastUse = ++useCounter_;
            return slot.data;
        }
        // An empty slot is taken first, else the one used least recently.
        if (target->valid && (!slot.valid || slot.lastUse < target->lastUse)) target = &slot;
    }
    store_.LoadMonthInto(year, month, target->data);
    target->valid = true;
    target->year = year;
    target->month = month;
    target->revision = revision;
    target->lastUse = ++useCounter_;
    return target->data;
}

void RecentMonths::Forget() {
    for (Slot& slot : slots_) slot.valid = false;
}

}  // namespace kiro
