#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/app/App.h"
#include "platform/sim/DaySteps.h"
#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/FileModeWatch.h"
#include "platform/sim/SimulatedMachine.h"

namespace kiro::gui {

enum class DemoKind { DeviceC, DeviceE, File };

// Parses "device-c", "device-e" or "file"; an empty text is the default, device-c.
bool ParseDemoKind(const std::string& text, DemoKind& kind);

// The simulated watch of the demo, with two weeks of real per-minute steps (recorded by a real
// person, moved to end today) and a simulated machine to plug it into. A model C watch holds
// about a day of minutes, so the earlier days are already in the program folder, as for a
// user who has collected before; a model E or file-mode watch carries all fourteen days.
class DemoSession {
  public:
    DemoSession(App& app, DemoKind kind, const std::string& dataFolder);

    sim::SimulatedMachine& Machine() { return machine_; }
    // Plugs the watch in (queues its arrival) or takes it out (queues its removal).
    void PlugIn();
    void PlugOut();
    bool PluggedIn() const { return letter_ != 0; }
    // Gives the watch another day of steps to hand over at its next collection; false when the
    // watch's disk could not take it.
    bool AddDay(const sim::DaySteps& day);
    // A file-mode watch hands over day files of any date; a device-mode watch only what it
    // recorded in its recent memory.
    bool FileMode() const { return fileWatch_ != nullptr; }

  private:
    void StoreAsCollectedBefore(const std::vector<sim::DaySteps>& days);

    App& app_;
    sim::SimulatedMachine machine_;
    std::unique_ptr<sim::DeviceModeWatch> deviceWatch_;
    std::unique_ptr<sim::FileModeWatch> fileWatch_;
    std::string volumeFolder_;
    char letter_ = 0;
};

// Two weeks of real steps ending today; minutes after `now` are empty.
std::vector<sim::DaySteps> DemoDays(const LocalTime& now, const std::string& dataFolder);

}  // namespace kiro::gui
