#pragma once
#include <cstdint>
#include <span>

#include "core/app/App.h"
#include "core/system/Launcher.h"

namespace kiro {

// The last step of a program run that downloaded a new build: when an update is ready and the
// upgrade is still wanted, the updater's image carried in the program is written out as
// tmp/KiroMeterUpdater.BIN, made executable and started on its own with its full path as its
// only argument, to put the new build in place once this program has ended. Returns whether it
// was started.
bool HandOverToUpdater(App& app, Launcher& launcher, std::span<const uint8_t> updaterImage);

}  // namespace kiro
