#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/SleepClassification.h"
#include "core/analysis/SleepEstimate.h"
#include "core/analysis/SleepWindow.h"
#include "core/base/Rgb.h"
#include "generated/TextId.h"

namespace kiro {

class App;

// "hh:mm" of a time of day given in minutes from midnight of some day (hours taken modulo 24).
std::string ClockTimeText(int minutes);
// "hh:mm" of a duration (hours not reduced).
std::string DurationText(int minutes);

// What the sleep chart is configured with before it plots. Texts given as indices of the UI
// text table; the dates are "M/DD" of the first and the last day of the window.
struct SleepChartSetup {
    double valueLower = -500;
    double valueUpper = 1000;
    int decimals = 0;
    double timeLower = 0;
    double timeUpper = 24;
    TextId valueCaptionText = TextId::SleepTime;
    std::array<TextId, 3> legendTexts{TextId::Awake, TextId::Sleep, TextId::DeepSleep};
    Rgb background{0, 0, 64};
    Rgb axis{192, 192, 255};
    std::string leftDate;
    std::string rightDate;
};

// A minute of the curve where the chart draws it: hours after 00:00 of the analysed day.
struct SleepPoint {
    double hours = 0;
    int value = 0;
};

// The analysis of one night, as the sleep view shows it: the window comes from the settings and
// moves with the arrows (which write it back); the minute data is the month of the analysed day
// followed directly by the next month, so that a night reaching past the last day of a month is
// analysed on the steps of the first days of the next.
class SleepSession {
  public:
    // `debug` only marks the title.
    SleepSession(App& app, int year, int month, int day, bool debug);

    const SleepPosition& Position() const { return position_; }
    const std::vector<int>& Curve() const { return curve_; }
    const SleepResult& Result() const { return result_; }

    std::string Title() const;
    // Going to sleep, getting up, sleep time and efficiency, each "value\nlabel".
    std::string BedTimeText() const;
    std::string WakeTimeText() const;
    std::string SleepTimeText() const;
    std::string EfficiencyText() const;
    // Minutes after 00:00 of the analysed day when sleep began and ended.
    int BedTime() const { return result_.sleepStart + position_.startHour * 60; }
    int WakeTime() const { return result_.sleepEnd + position_.startHour * 60 + 1; }

    // The second estimate of the same night, from 18:00 to 12:00 whatever the window, and its line
    // under the results: both times, or a dash when there is none.
    const std::optional<SleepEstimate>& Estimate() const { return estimate_; }
    std::string EstimateText() const;

    SleepChartSetup ChartSetup() const;
    std::vector<SleepPoint> PlotPoints() const;

    // The arrows: each one that moves the night writes the hours to the settings and analyses
    // again; the day arrows write nothing.
    bool StartEarlier();
    bool StartLater();
    bool EndEarlier();
    bool EndLater();
    bool PreviousDay();
    bool NextDay();

  private:
    bool MoveHours(bool moved);
    bool MoveDay(bool moved);
    void LoadMinutes();
    void Analyse();
    std::string LabelledText(const std::string& value, TextId labelText) const;

    App& app_;
    bool debug_;
    SleepPosition position_;
    int loadedYear_ = 0;
    int loadedMonth_ = 0;
    std::vector<uint16_t> minutes_;
    bool firstMonthRead_ = false;
    bool secondMonthRead_ = false;
    std::vector<int> curve_;
    SleepResult result_;
    std::optional<SleepEstimate> estimate_;
};

}  // namespace kiro
