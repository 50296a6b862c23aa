#pragma once
#include <vector>

#include "core/system/Volumes.h"
#include "core/watch/WatchConnection.h"

namespace kiro {

// Which of the setup page's controls show and take input, for the watch selected.
struct SetupControls {
    bool timeSet = false;         // Time Set: a drive is selected
    bool deviceControls = false;  // Check Watch, Battery Curve and the LED row: a device-mode watch
    bool autoManual = false;      // the Auto/Manual choice: a device-mode watch
    bool slider = true;           // the correction slider: unless a device-mode watch is in Auto mode
    bool recorder = false;        // the 24-hour recorder: a device-mode watch of model E
};
SetupControls SetupControlsFor(const WatchConnection& watch, int timeAdjustMode);

// The drives that get a disk button: the removable ones from D on, at most eight.
inline constexpr int kDiskButtons = 8;
std::vector<char> DiskButtonLetters(const Volumes& volumes);

}  // namespace kiro
