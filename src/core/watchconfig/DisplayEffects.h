#pragma once
#include <functional>

#include "core/watchconfig/DisplaySim.h"

namespace kiro {

// What a transition effect works with: the display's lines, the delay that ends each step and
// the program's random bytes.
struct EffectStage {
    DisplayFrame& lines;
    std::function<void(int milliseconds)> delay;
    std::function<uint8_t()> randomByte;
};

// A blank display: none of the visible lines has a bit set.
bool IsBlank(const DisplayFrame& frame);

// Brings the display from what it shows to the visible lines of `target` with effect
// `value` modulo 11. Only the visible lines change.
void PlayTransition(int value, const DisplayFrame& target, EffectStage& stage);

}  // namespace kiro
