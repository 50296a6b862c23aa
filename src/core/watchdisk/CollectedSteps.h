#pragma once
#include <optional>
#include <system_error>
#include <vector>

#include "core/watchdisk/ImportJournal.h"
#include "core/watchdisk/MonthBatch.h"
#include "core/watchdisk/StepTally.h"

namespace kiro {

class App;

// What one collection adds to the program folder: the steps by month, the totals and missions
// they advance, and the journal lines that keep the same data from being counted twice.
struct CollectedSteps {
    MonthBatch months;
    StepTally tally;
    std::vector<ImportJournal::Entry> dayFiles;
    // Every record of a device read, those skipped as stored before included; they replace the
    // journal's device records. None for day files.
    std::optional<std::vector<uint64_t>> deviceRecords;

    bool Empty() const { return months.Empty() && dayFiles.empty() && !deviceRecords; }
};

// Stores it all in one commit of the program folder, over `journal` as read under the same hold
// of the folder's lock, which the caller keeps. On success the settings in memory take the
// committed counters and the store's revision moves; on an error nothing has changed.
std::error_code CommitCollectedSteps(App& app, const ImportJournal& journal, const CollectedSteps& steps);

}  // namespace kiro
