#pragma once
#include <string>

namespace kiro {

class App;
class Host;
struct SettingsValues;

// The running totals as the summary page shows them: the value texts and the label texts
// ("Total Steps:" and so on), in the current language.
struct SummaryTexts {
    std::string steps;     // "%d"
    std::string distance;  // "%9.3f Km"
    std::string time;      // "<days> Days <hours> Hours <minutes> Mintues"
    std::string calories;  // "%9.3f KCal"
    std::string stepsLabel;
    std::string distanceLabel;
    std::string timeLabel;
    std::string caloriesLabel;
};

double SummaryDistanceKm(int stepSize, int totalSteps);
SummaryTexts MakeSummaryTexts(const SettingsValues& values, int language);

// Clears the totals and deletes the whole monthly store, after asking unless AutoConfirm is on.
// Reports built before see the store's change and read it again. Returns whether it reset; a
// reset that cannot be written changes nothing and says why in the status line.
bool ResetSummary(App& app, Host& host);

}  // namespace kiro
