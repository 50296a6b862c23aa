#pragma once
#include <array>

#include "core/base/Random.h"

namespace kiro {

// The factory window's idle show: a status colour that wanders through the colours, and a
// decorative slider swinging from side to side. It lives as long as the program, so that a
// window opened again goes on where the last one stopped.
struct FactoryAnimation {
    std::array<int, 3> channels{0, 0, 0};  // red, green, blue
    std::array<int, 3> steps{1, 3, 5};
    int sliderStep = 1;

    // One tick of the window's 100 ms timer. The colours move only while no watch is being set up;
    // the slider always. Returns the slider's new position.
    int Tick(Random& random, bool busy, int sliderPosition);
};

}  // namespace kiro
