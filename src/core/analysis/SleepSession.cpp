#include "core/analysis/SleepSession.h"

#include "core/analysis/SleepCurve.h"
#include "core/app/App.h"
#include "core/base/CalendarMath.h"
#include "core/base/Format.h"

namespace kiro {

std::string ClockTimeText(int minutes) {
    return Format("%02d:%02d", minutes / 60 % 24, minutes % 60);
}
std::string DurationText(int minutes) {
    return Format("%02d:%02d", minutes / 60, minutes % 60);
}

SleepSession::SleepSession(App& app, int year, int month, int day, bool debug) : app_(app), debug_(debug) {
    const SleepWindowHours hours = CorrectSleepWindow(app.Config().ReadSleepWindow());
    position_ = {year, month, day, hours.startHour, hours.endHour};
    Analyse();
}

void SleepSession::LoadMinutes() {
    if (!minutes_.empty() && loadedYear_ == position_.year && loadedMonth_ == position_.month) return;
    const MonthStore& store = app_.Store();
    const int days = DaysInMonth(position_.year, position_.month);
    // Both months as they stand between two commits. While another program keeps the folder past
    // the wait, the night shows no steps, as months that could not be read, and is read again
    // next time.
    const ProgramFolderWriter::Hold reading = store.Reading();
    if (!reading) {
        minutes_.assign(static_cast<size_t>(days + kDaysPerMonthFile) * kMinutesPerDay, 0);
        firstMonthRead_ = secondMonthRead_ = false;
        loadedYear_ = loadedMonth_ = 0;
        return;
    }
    const int nextYear = position_.month == 12 ? position_.year + 1 : position_.year;
    const int nextMonth = position_.month == 12 ? 1 : position_.month + 1;
    const LoadedMonth first = store.LoadMonth(position_.year, position_.month);
    const LoadedMonth second = store.LoadMonth(nextYear, nextMonth);
    // The next month follows the last real day, not the empty day blocks after it.
    minutes_.assign(first.buffer.minutes.begin(), first.buffer.minutes.begin() + days * kMinutesPerDay);
    minutes_.insert(minutes_.end(), second.buffer.minutes.begin(), second.buffer.minutes.end());
    firstMonthRead_ = first.found && !first.error;
    secondMonthRead_ = second.found && !second.error;
    loadedYear_ = position_.year;
    loadedMonth_ = position_.month;
}

void SleepSession::Analyse() {
    LoadMinutes();
    const int windowStart = (position_.day - 1) * kMinutesPerDay + position_.startHour * 60;
    curve_ = BuildSleepCurve(minutes_, windowStart, position_.WindowMinutes(), app_.Rng());
    result_ = ClassifySleep(curve_);
    // The estimate's window lies within the minutes already read: the night's date and the day
    // after it, which may be the first of the next month.
    const auto dayAt = [this](int index) {
        const bool inFirstMonth = index < DaysInMonth(position_.year, position_.month);
        return StoredDay{
            std::span(minutes_).subspan(static_cast<size_t>(index) * kMinutesPerDay, kMinutesPerDay),
            inFirstMonth ? firstMonthRead_ : secondMonthRead_};
    };
    estimate_ = EstimateSleep(EstimateWindowOf(dayAt(position_.day - 1), dayAt(position_.day)));
}

std::string SleepSession::Title() const {
    std::string title = Format("%d-%d-%d %s ...", position_.year, position_.month, position_.day,
                               app_.GetLangText(TextId::SleepQuality));
    if (debug_) title += "(DEBUG)";
    return title;
}

std::string SleepSession::LabelledText(const std::string& value, TextId labelText) const {
    return Format("%s\n%s", value.c_str(), app_.GetLangText(labelText));
}

std::string SleepSession::BedTimeText() const {
    return LabelledText(ClockTimeText(BedTime()), TextId::BedTime);
}
std::string SleepSession::WakeTimeText() const {
    return LabelledText(ClockTimeText(WakeTime()), TextId::AwakeTime);
}
std::string SleepSession::SleepTimeText() const {
    return LabelledText(DurationText(result_.SleepMinutes()), TextId::SleepTime);
}
std::string SleepSession::EfficiencyText() const {
    return LabelledText(Format("%d%%", result_.efficiency), TextId::Efficiency);
}

std::string SleepSession::EstimateText() const {
    if (!estimate_) return app_.GetLangText(TextId::NoSleepEstimate);
    return FormatText(app_.GetLangText(TextId::SleepEstimate), ClockTimeText(estimate_->bedMinute).c_str(),
                      ClockTimeText(estimate_->wakeMinute).c_str());
}

SleepChartSetup SleepSession::ChartSetup() const {
    SleepChartSetup setup;
    setup.timeLower = position_.startHour;
    setup.timeUpper = position_.endHour;
    setup.leftDate = Format("%2d/%02d", position_.month, position_.day);
    int month = position_.month;
    int day = position_.day;
    if (position_.endHour >= 24 && ++day > DaysInMonth(position_.year, month)) {
        day = 1;
        month = month == 12 ? 1 : month + 1;
    }
    setup.rightDate = Format("%2d/%02d", month, day);
    return setup;
}

std::vector<SleepPoint> SleepSession::PlotPoints() const {
    std::vector<SleepPoint> points;
    points.reserve(curve_.size());
    for (size_t i = 0; i < curve_.size(); ++i)
        points.push_back({position_.startHour + static_cast<double>(i) / 60, curve_[i]});
    return points;
}

bool SleepSession::MoveHours(bool moved) {
    app_.Config().WriteSleepWindow({position_.startHour, position_.endHour});
    if (moved) Analyse();
    return moved;
}

bool SleepSession::MoveDay(bool moved) {
    if (moved) Analyse();
    return moved;
}

bool SleepSession::StartEarlier() {
    return MoveHours(kiro::StartEarlier(position_));
}
bool SleepSession::StartLater() {
    return MoveHours(kiro::StartLater(position_));
}
bool SleepSession::EndEarlier() {
    return MoveHours(kiro::EndEarlier(position_));
}
bool SleepSession::EndLater() {
    return MoveHours(kiro::EndLater(position_));
}
bool SleepSession::PreviousDay() {
    return MoveDay(kiro::PreviousDay(position_));
}
bool SleepSession::NextDay() {
    return MoveDay(kiro::NextDay(position_));
}

}  // namespace kiro
