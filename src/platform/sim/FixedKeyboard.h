#pragma once
#include "core/system/Keyboard.h"

namespace kiro::sim {

// A keyboard whose chord is held or not as a test says.
class FixedKeyboard final : public Keyboard {
  public:
    bool RightShiftAndRightAltHeld() const override { return chordHeld; }
    bool chordHeld = false;
};

}  // namespace kiro::sim
