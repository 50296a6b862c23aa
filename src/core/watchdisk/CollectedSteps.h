#pragma once
#include <optional>
#include <system_error>

#include "core/store/MonthBatch.h"
#include "core/store/StepTally.h"
#include "core/watchdisk/ImportJournal.h"

namespace kiro {

class App;

// What one collection adds to the program folder: the steps by month, the totals and missions
// they advance, and the journal that keeps the same data from being counted twice.
struct CollectedSteps {
    MonthBatch months;
    StepTally tally;
    // The journal as it stands once the steps are stored; nothing when it stays as it is.
    std::optional<ImportJournal> journal;

    bool Empty() const { return months.Empty() && tally.Empty() && !journal; }
};

// Stores it all in one commit of the program folder, under the folder's lock, which the caller
// holds (the journal given was read under the same hold). On success the settings in memory
// take the committed counters and the store's revision moves; on an error nothing has changed.
std::error_code CommitCollectedSteps(App& app, const CollectedSteps& steps);

}  // namespace kiro
