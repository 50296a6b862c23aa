#include "core/watchdisk/CollectedSteps.h"

#include "core/app/App.h"

namespace kiro {

std::error_code CommitCollectedSteps(App& app, const ImportJournal& journal, const CollectedSteps& steps) {
    if (steps.Empty()) return {};
    FolderTransaction transaction = app.Writer().Begin();
    for (const auto& [month, additions] : steps.months.Months())
        app.Store().StageAddition(transaction, month.first, month.second, additions);
    std::optional<CollectionCounters> counters;
    if (!steps.tally.Empty()) counters = app.Config().StageCollected(transaction, steps.tally);
    if (!steps.dayFiles.empty() || steps.deviceRecords)
        transaction.Replace(kJournalFileName, journal.With(steps.dayFiles, steps.deviceRecords));
    if (const std::error_code error = transaction.Commit()) return error;
    if (counters) app.Config().Adopt(*counters);
    app.Store().MarkChanged();
    return {};
}

}  // namespace kiro
