#include "gui/demo/DemoWatchStream.h"

#include <filesystem>

namespace kiro::gui {

DemoWatchStream::DemoWatchStream(sim::SimulatedMachine& machine, const Clock& clock, std::string folder)
    : machine_(machine), clock_(clock), folder_(std::move(folder)) {}

DemoWatchStream::~DemoWatchStream() {
    Stop();
}

void DemoWatchStream::Stop() {
    if (letter_ != 0) machine_.Unplug(letter_);
    letter_ = 0;
    deviceWatch_.reset();
}

void DemoWatchStream::Next() {
    Stop();
    // A blank disk each time: the folder of the last one is emptied.
    const std::string root = folder_ + "/watch-disk";
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    std::filesystem::create_directories(root, ignored);
    if (handedOver_ % 2 == 0) {
        letter_ = machine_.PlugIn(sim::FileModeWatch(root));
    } else {
        deviceWatch_ = std::make_unique<sim::DeviceModeWatch>(clock_, sim::DeviceWatchOptions{'C', false, 0});
        letter_ = machine_.PlugIn(*deviceWatch_, root);
    }
    ++handedOver_;
}

}  // namespace kiro::gui
