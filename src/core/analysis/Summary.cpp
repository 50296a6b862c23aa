#include "core/analysis/Summary.h"

#include "core/analysis/Metrics.h"
#include "core/app/App.h"
#include "core/base/Format.h"
#include "core/system/Host.h"

namespace kiro {

double SummaryDistanceKm(int stepSize, int totalSteps) {
    return stepSize * static_cast<double>(totalSteps) * 0.00001;
}

SummaryTexts MakeSummaryTexts(const SettingsValues& v, int language) {
    const auto text = [language](TextId id) { return GetLangText(language, id); };
    const int period = v.totalPeriod;
    SummaryTexts texts;
    texts.steps = Format("%d", v.totalSteps);
    texts.distance = Format("%9.3f Km", SummaryDistanceKm(v.stepSize, v.totalSteps));
    texts.time = Format("%d %s %d %s %d %s", period / 1440, text(TextId::DaysUnit), period / 60 % 24,
                        text(TextId::HoursUnit), period % 60, text(TextId::MinutesUnit));
    texts.calories = Format("%9.3f KCal", AverageWalkCalories({v.weight, v.stepSize}, v.totalSteps, period));
    texts.stepsLabel = Format("%s:", text(TextId::TotalSteps));
    texts.distanceLabel = Format("%s:", text(TextId::TotalDistance));
    texts.timeLabel = Format("%s:", text(TextId::TotalTime));
    texts.caloriesLabel = Format("%s:", text(TextId::TotalCalories));
    return texts;
}

bool ResetSummary(App& app, Host& host) {
    if (app.Config().Values().autoConfirm == 0 &&
        !host.AskQuestion(app.GetLangText(TextId::Start), app.GetLangText(TextId::ConfirmClearAll)))
        return false;
    // The totals and the months they count go together, or neither does.
    const std::error_code error = app.Writer().Change([&app](FolderTransaction& transaction) {
        app.Config().StageTotals(transaction, 0, 0);
        app.Store().StageDeleteAll(transaction);
    });
    if (error) {
        host.SetStatusText(FormatText(app.GetLangText(TextId::FolderNotUpdated), error.message().c_str()));
        return false;
    }
    app.Config().AdoptTotals(0, 0);
    app.Store().MarkChanged();
    return true;
}

}  // namespace kiro
