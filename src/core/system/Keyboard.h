#pragma once

namespace kiro {

// What the program needs to know of the keyboard: whether the right Shift and the right Alt key
// are both held (the chord that opens the sleep analysis in its debug form and the factory setup
// window).
class Keyboard {
  public:
    virtual ~Keyboard() = default;
    virtual bool RightShiftAndRightAltHeld() const = 0;
};

}  // namespace kiro
