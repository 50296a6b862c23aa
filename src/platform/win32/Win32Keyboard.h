#pragma once
#include "core/system/Keyboard.h"

namespace kiro::win32_platform {

// The right Shift and right Alt keys as the system sees them at the moment of asking, whichever
// window has the focus: the system tells the right keys from their left twins by themselves.
class Win32Keyboard final : public Keyboard {
  public:
    bool RightShiftAndRightAltHeld() const override;
};

}  // namespace kiro::win32_platform
