#include "gui/demo/DemoCycles.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "core/base/CalendarMath.h"
#include "core/base/Format.h"
#include "gui/mainwindow/CMainDlg.h"
#include "platform/sim/StepGenerator.h"

namespace kiro::gui {
namespace {
// The run's days lie before the demo's own fortnight, one per pass.
constexpr int kDaysBeforeTheDemo = 30;
constexpr int kRecentMinutes = 5;

int64_t Total(const sim::DaySteps& day) {
    int64_t total = 0;
    for (const uint16_t steps : day.minutes) total += steps;
    return total;
}
}  // namespace

DemoCycles::DemoCycles(CMainDlg& window, DemoSession& demo, App& app, const ProcessInfo& process, int cycles,
                       std::function<void()> deliver, Print print)
    : QObject(&window),
      window_(window),
      demo_(demo),
      app_(app),
      process_(process),
      cycles_(cycles),
      deliver_(std::move(deliver)),
      print_(std::move(print)),
      firstDay_(AddDays(app.SystemClock().Now(), -(cycles + kDaysBeforeTheDemo))) {}

void DemoCycles::Start() {
    QTimer::singleShot(0, this, [this] { RunCycle(); });
}

sim::DaySteps DemoCycles::EarlierDay(int cycle) const {
    const LocalTime date = AddDays(firstDay_, cycle);
    return sim::GenerateDay(date.year, date.month, date.day, static_cast<uint64_t>(cycle) + 1);
}

sim::DaySteps DemoCycles::PassSteps(int cycle) const {
    if (demo_.FileMode()) return EarlierDay(cycle);
    const LocalTime now = app_.SystemClock().Now();
    sim::DaySteps recent;
    recent.year = now.year;
    recent.month = now.month;
    recent.day = now.day;
    // A few steps in the last minutes of today, before the current one.
    const int current = now.hour * 60 + now.minute;
    for (int back = 1; back <= kRecentMinutes && back <= current; ++back)
        recent.minutes[current - back] = static_cast<uint16_t>(1 + (cycle + back) % 9);
    return recent;
}

int64_t DemoCycles::StoredInMonth(int year, int month) const {
    const LoadedMonth loaded = app_.Store().LoadMonth(year, month);
    int64_t total = 0;
    for (const uint16_t steps : loaded.buffer.minutes) total += steps;
    return total;
}

bool DemoCycles::StoredOnce(const sim::DaySteps& day) const {
    const LoadedMonth month = app_.Store().LoadMonth(day.year, day.month);
    if (!month.found) return false;
    for (int minute = 0; minute < 1440; ++minute)
        if (month.buffer.At(day.day, minute / 60, minute % 60) != day.minutes[minute]) return false;
    return true;
}

void DemoCycles::RunCycle() {
    demo_.PlugOut();
    deliver_();
    passSteps_ = PassSteps(done_);
    monthBefore_ = StoredInMonth(passSteps_.year, passSteps_.month);
    if (!demo_.AddDay(passSteps_)) ++failures_;
    demo_.PlugIn();
    deliver_();
    // The collection and whatever it queued run before the pass is judged.
    QTimer::singleShot(0, this, [this] { AfterCollection(); });
}

void DemoCycles::AfterCollection() {
    const int64_t added = StoredInMonth(passSteps_.year, passSteps_.month) - monthBefore_;
    if (added != Total(passSteps_) || (demo_.FileMode() && !StoredOnce(passSteps_))) {
        ++failures_;
        print_(Format("pass %d: %lld steps stored of %lld handed over", done_ + 1,
                      static_cast<long long>(added), static_cast<long long>(Total(passSteps_))));
    }
    ++done_;
    if (done_ == cycles_ / 10 || done_ == cycles_ / 2 || done_ == cycles_) Checkpoint();
    if (done_ < cycles_) {
        QTimer::singleShot(0, this, [this] { RunCycle(); });
        return;
    }
    Finish();
}

DemoCycles::Counts DemoCycles::Count() const {
    Counts counts;
    counts.usage = process_.CurrentUsage();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        for (const QTimer* timer : top->findChildren<QTimer*>()) counts.activeTimers += timer->isActive();
        counts.objects += 1 + static_cast<int>(top->findChildren<QObject*>().size());
    }
    return counts;
}

void DemoCycles::Checkpoint() {
    const Counts now = Count();
    print_(Format("cycle %d: resident %lld KB, descriptors %d, active timers %d, objects %d", done_,
                  static_cast<long long>(now.usage.residentKilobytes), now.usage.openDescriptors,
                  now.activeTimers, now.objects));
    if (!firstCountTaken_) {
        firstCount_ = now;
        firstCountTaken_ = true;
        return;
    }
    // Fewer is fine: the system's libraries close what they opened for the first passes.
    if (now.usage.openDescriptors > firstCount_.usage.openDescriptors ||
        now.activeTimers > firstCount_.activeTimers || now.objects > firstCount_.objects) {
        ++failures_;
        print_("descriptors, timers or objects grew");
    }
}

void DemoCycles::Finish() {
    // A later pass must not have counted an earlier day again.
    if (demo_.FileMode()) {
        int once = 0;
        for (int cycle = 0; cycle < cycles_; ++cycle) once += StoredOnce(EarlierDay(cycle));
        failures_ += cycles_ - once;
        print_(Format("%d earlier days stored exactly once", once));
    }
    print_(Format("%d passes: %s", cycles_, failures_ == 0 ? "every check held" : "FAILED"));
    window_.done(failures_ == 0 ? 0 : 1);
}

}  // namespace kiro::gui
