#pragma once
#include <string>
#include <string_view>

#include "core/watch/WatchSettings.h"

namespace kiro {

// The watch's settings as text, one "Key=value" line each, in this order: HMod, Sped, TAdj,
// Disp (ten numbers separated by commas), UPic (all 40 bytes as 80 upper-case hexadecimal
// digits), UStr (the message exactly as held: \n, \r, \t, \\ and \xHH for any other byte
// outside 0x20..0x7E), LedPower, LedFromHour, LedToHour, AlarmEnabled, AlarmEveryDay, AlarmHour,
// AlarmMinute, StepRecorder24h (flags as 0 or 1).
std::string PrintWatchSettingsText(const WatchSettings& settings);

struct ParsedWatchSettings {
    WatchSettings settings;  // keys the text does not give keep their reset values
    std::string error;       // empty when the whole text was read; otherwise its line and why
};

// Reads the text form back, strictly: every line (a last one without a line break, or ending
// in CR LF, included) must be a known key given once with a value in its range; blank lines are
// skipped. The message takes at most 36 characters and no zero byte, and must write any byte
// outside 0x20..0x7E as an escape, so that what is read is what was meant.
ParsedWatchSettings ParseWatchSettingsText(std::string_view text);

}  // namespace kiro
