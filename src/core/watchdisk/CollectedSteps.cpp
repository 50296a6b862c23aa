#include "core/watchdisk/CollectedSteps.h"

#include "core/app/App.h"

namespace kiro {

std::error_code CommitCollectedSteps(App& app, const CollectedSteps& steps) {
    if (steps.Empty()) return {};
    FolderTransaction transaction = app.Writer().Begin();
    for (const auto& [month, additions] : steps.months.Months())
        app.Store().StageAddition(transaction, month.first, month.second, additions,
                                  steps.months.RemovalsOf(month));
    std::optional<CollectionCounters> counters;
    if (!steps.tally.Empty()) counters = app.Config().StageCollected(transaction, steps.tally);
    if (steps.journal) transaction.Replace(kJournalFileName, steps.journal->Text());
    if (const std::error_code error = transaction.Commit()) return error;
    if (counters) app.Config().Adopt(*counters);
    app.Store().MarkChanged();
    return {};
}

}  // namespace kiro
