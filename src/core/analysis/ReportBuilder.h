#pragma once
#include <cstdint>
#include <optional>

#include "core/analysis/ActivityPeriods.h"
#include "core/analysis/RecentMonths.h"
#include "core/analysis/Report.h"

namespace kiro {

class Settings;

// Builds the report around a selected date from the monthly store: the month (a row per day),
// the week from the Sunday on or before the date (a row per activity period of its seven days)
// or the day (a row per activity period). A month or week report is kept and handed out again
// while nothing it depends on has changed; a day report is built afresh each time.
class ReportBuilder {
  public:
    ReportBuilder(const MonthStore& store, const Settings& settings)
        : store_(store), settings_(settings), months_(store) {}

    // A date that does not exist gives an empty report.
    const Report& Build(ReportMode mode, int year, int month, int day);
    // Forgets the kept report and months, e.g. after a change of language.
    void Invalidate();
    // Counts the reports built afresh: a caller that shows a report redraws it only when this moved.
    uint64_t Generation() const { return generation_; }

  private:
    // What a kept report was built from; the day is the week's Sunday in week mode, else 0.
    struct CacheKey {
        ReportMode mode;
        int year, month, day;
        uint64_t storeRevision;
        int slightMoving, displayMode, weight, stepSize;
        friend bool operator==(const CacheKey&, const CacheKey&) = default;
    };

    void BuildMonth(int year, int month);
    void BuildWeek(int year, int month, int day);
    void BuildDay(int year, int month, int day);
    void AddPeriodRows(const std::vector<ActivityPeriod>& periods, int year, int month, int day);

    const MonthStore& store_;
    const Settings& settings_;
    RecentMonths months_;
    Report report_;
    std::optional<CacheKey> built_;
    uint64_t generation_ = 0;
};

}  // namespace kiro
