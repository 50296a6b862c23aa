#pragma once
#include "core/app/App.h"
#include "core/system/DeviceIo.h"
#include "core/system/Host.h"
#include "core/system/Volumes.h"

namespace kiro {

// Checks the clock of the current device-mode watch: reads its configuration block, shows how
// far it drifted and takes the rate correction and display settings from it. Returns false
// when no watch is selected or the block carries no signature.
bool ClockCheck(App& app, DeviceIo& device, Host& host);

// What the Setup page's controls hold when Time Set runs.
struct TimeSetRequest {
    int hMod = 0;
    int timeAdjustMode = kTimeAdjustManual;
    int sliderPosition = 0;
    bool ledPower = false;
    bool stepRecorder24h = false;
    bool alarmEnabled = false;
    int alarmEveryDay = 0;
    int alarmHour = 0;
    int alarmMinute = 0;
};

// Sets the watch clock to the PC's local time and sends the rate correction: a device-mode
// watch gets a configuration block, a file-mode watch a rewritten CLOCK.TXT that it takes when
// unplugged. Returns the slider position the page shows afterwards (in Auto mode the computed
// correction).
int TimeSet(App& app, DeviceIo& device, Host& host, const Volumes& volumes, const TimeSetRequest& request);

}  // namespace kiro
