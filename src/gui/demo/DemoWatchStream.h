#pragma once
#include <memory>
#include <string>

#include "core/system/Clock.h"
#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/FileModeWatch.h"
#include "platform/sim/SimulatedMachine.h"

namespace kiro::gui {

// New, blank watches for the factory window of the demo, as a production line hands them over:
// each one is plugged in as the one before it is taken out, every other one a device-mode
// watch. Only the watch plugged in exists, however long the line runs.
class DemoWatchStream {
  public:
    DemoWatchStream(sim::SimulatedMachine& machine, const Clock& clock, std::string folder);
    ~DemoWatchStream();
    DemoWatchStream(const DemoWatchStream&) = delete;
    DemoWatchStream& operator=(const DemoWatchStream&) = delete;

    // Takes the watch plugged in out, then plugs the next one in (queues both notifications).
    void Next();
    // Takes the watch plugged in out.
    void Stop();
    int WatchesHandedOver() const { return handedOver_; }

  private:
    sim::SimulatedMachine& machine_;
    const Clock& clock_;
    std::string folder_;
    std::unique_ptr<sim::DeviceModeWatch> deviceWatch_;
    char letter_ = 0;
    int handedOver_ = 0;
};

}  // namespace kiro::gui
