#pragma once
#include <string>
#include <vector>

#include "core/system/Clock.h"
#include "core/system/FileSystem.h"
#include "core/watch/WatchSettings.h"

namespace kiro {

// The watch's settings file CLOCK.TXT of a file-mode watch: key=value lines ending in CR LF.
// The builders return the exact bytes to write; the caller writes them to the disk.

// Keeps only printable ASCII (0x20..0x7F) of a message, as the watch can show nothing else.
std::string FilterMessage(const std::string& message);

// Factory setup: UStr, UPic, Disp, Sped, TAdj, Date, Time, HMod, each line ended. The message
// is also stored back filtered into the settings.
std::string BuildClockFileFull(WatchSettings& settings, const LocalTime& now);

// Personal graphic save: UStr, UPic (the given picture lines), Disp, Sped, TAdj and the Demo
// line when asked; no date, time or hour mode.
std::string BuildClockFilePersonal(const std::string& message, const std::vector<uint8_t>& pictureLines,
                                   const WatchSettings& settings, bool demo);

// Time Set: the kept lines of the old file, one empty line, then Date, Time, TAdj and HMod, the
// last without a line break.
std::string BuildClockFileTimeSet(const std::string& oldContent, const LocalTime& now, int tAdj, int hMod);

// Reads CLOCK.TXT into the settings as a collection does: resets the display fields first, then
// takes each key found anywhere in a line (numbers beyond the int range stop at its ends), then
// clamps Disp to 0..9, TAdj to -99..99 and Sped to 0..8.
void ParseClockFile(const std::string& content, WatchSettings& settings);

// The same for the CLOCK.TXT at the root of a watch disk (any letter case); a file that is
// missing, not a regular file or larger than any real one leaves the reset values. Returns why
// the file could not be read: the root cannot be listed, or the file cannot be read whole (too
// large); a missing file is no error.
std::error_code ReadClockFileAt(FileSystem& files, const std::string& root, WatchSettings& settings);

// The settings as "Key=value" lines, for people and scripts: the text form that
// ParseWatchSettingsText reads back, with the picture and message exactly as held.
std::string DescribeWatchSettings(const WatchSettings& settings);

}  // namespace kiro
