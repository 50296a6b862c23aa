#include "core/watch/WatchSettings.h"

namespace kiro {

void WatchSettings::ResetDisplay() {
    const WatchSettings defaults;
    hMod = defaults.hMod;
    sped = defaults.sped;
    tAdj = defaults.tAdj;
    disp = defaults.disp;
    uPic = defaults.uPic;
    uStr.clear();
}

void WatchSettings::ResetAlarm() {
    alarmEnabled = false;
    alarmEveryDay = 0;
    alarmHour = 0;
    alarmMinute = 0;
}

void WatchSettings::Reset() {
    ResetDisplay();
    ResetAlarm();
    stepRecorder24h = false;
}

}  // namespace kiro
