// The watch's settings as text (what kiro watch-settings prints and kiro clockfile and kiro block
// read from a file). A text read without error prints back as text that reads to the same
// settings, and that printed text is printed the same again. Input: the text.
#include <cstdint>

#include "FuzzCheck.h"
#include "core/watch/WatchSettingsText.h"

using namespace kiro;

namespace {

bool SameSettings(const WatchSettings& a, const WatchSettings& b) {
    return a.hMod == b.hMod && a.sped == b.sped && a.tAdj == b.tAdj && a.disp == b.disp && a.uPic == b.uPic &&
           a.uStr == b.uStr && a.ledPower == b.ledPower && a.ledFromHour == b.ledFromHour &&
           a.ledToHour == b.ledToHour && a.alarmEnabled == b.alarmEnabled &&
           a.alarmEveryDay == b.alarmEveryDay && a.alarmHour == b.alarmHour &&
           a.alarmMinute == b.alarmMinute && a.stepRecorder24h == b.stepRecorder24h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ParsedWatchSettings parsed = ParseWatchSettingsText(fuzz::TextOf(data, size));
    if (!parsed.error.empty()) return 0;
    fuzz::Require(parsed.settings.uStr.size() <= static_cast<size_t>(kMessageLength),
                  "the message is at most 36");
    const std::string printed = PrintWatchSettingsText(parsed.settings);
    const ParsedWatchSettings again = ParseWatchSettingsText(printed);
    fuzz::Require(again.error.empty(), "printed settings read without error");
    fuzz::Require(SameSettings(again.settings, parsed.settings), "printed settings read back the same");
    fuzz::Require(PrintWatchSettingsText(again.settings) == printed,
                  "printing what was read back changes nothing");
    return 0;
}
