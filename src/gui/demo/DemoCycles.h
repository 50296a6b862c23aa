#pragma once
#include <QObject>
#include <functional>
#include <string>

#include "core/app/App.h"
#include "core/system/ProcessInfo.h"
#include "gui/demo/DemoSession.h"

namespace kiro::gui {

class CMainDlg;

// The demo's endurance run: the watch is plugged out, given new steps and plugged in again, over
// and over, with the program running as a user would leave it. A file-mode watch gets a day
// file of an earlier day each time; a device-mode watch, which remembers only recent hours, a
// few steps in the minutes just gone. After every pass the store must have grown by exactly the
// new steps, and at the end every earlier day of a file-mode run must still be stored exactly
// once (nothing counted again by a later pass). At a tenth, half and the end of the run the program's
// descriptors, timers and objects are counted (and its resident memory shown), and they must not
// have grown since the first count. The window then ends with 0 when all held, 1 otherwise.
class DemoCycles : public QObject {
  public:
    using Print = std::function<void(const std::string&)>;
    DemoCycles(CMainDlg& window, DemoSession& demo, App& app, const ProcessInfo& process, int cycles,
               std::function<void()> deliver, Print print);

    void Start();

  private:
    struct Counts {
        ProcessInfo::Usage usage;
        int activeTimers = 0;
        int objects = 0;
    };

    void RunCycle();
    void AfterCollection();
    void Checkpoint();
    void Finish();
    Counts Count() const;
    // The steps given to the watch in a pass; a file-mode pass's day is made anew from its
    // seed whenever needed, so the run keeps none of them.
    sim::DaySteps PassSteps(int cycle) const;
    sim::DaySteps EarlierDay(int cycle) const;
    // The store holds exactly the day's minutes on its date.
    bool StoredOnce(const sim::DaySteps& day) const;
    int64_t StoredInMonth(int year, int month) const;

    CMainDlg& window_;
    DemoSession& demo_;
    App& app_;
    const ProcessInfo& process_;
    const int cycles_;
    std::function<void()> deliver_;
    Print print_;
    LocalTime firstDay_;
    int done_ = 0;
    sim::DaySteps passSteps_;
    int64_t monthBefore_ = 0;
    int failures_ = 0;
    bool firstCountTaken_ = false;
    Counts firstCount_;
};

}  // namespace kiro::gui
