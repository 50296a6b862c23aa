#pragma once
#include <array>
#include <cstdint>

#include "core/system/Clock.h"
#include "core/watch/WatchSettings.h"

namespace kiro {

inline constexpr int kConfigBlockBytes = 256;
using ConfigBlock = std::array<uint8_t, kConfigBlockBytes>;

// The 256-byte settings record of a device-mode watch. Every block written also sets the
// watch clock to `now`. The alarm and step-recorder bytes are sent only by Time Set.
ConfigBlock BuildConfigBlock(const WatchSettings& settings, char modelLetter, const LocalTime& now,
                             bool withAlarm);

// How much of a block a reader takes: a collection takes the LED, alarm and recorder bytes
// too, a clock check only the display settings.
enum class ConfigReadBack { Collection, ClockCheck };

// True when the block carries the watch's signature ("KiroWatch X5" in bytes 0..11).
bool HasConfigSignature(const ConfigBlock& block);

// Resets the fields the reader takes, then, when the signature matches, fills them from the
// block. TAdj is left at its reset value: it comes from the clock difference. Returns false
// when the signature does not match.
bool ParseConfigBlock(const ConfigBlock& block, ConfigReadBack readBack, WatchSettings& settings);

}  // namespace kiro
