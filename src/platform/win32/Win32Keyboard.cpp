#include "platform/win32/Win32Keyboard.h"

#include <windows.h>

namespace kiro::win32_platform {

namespace {

// The high bit of the answer says the key is down now; the low bit only that it was pressed
// since some earlier call, by any program.
bool IsDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

bool Win32Keyboard::RightShiftAndRightAltHeld() const {
    return IsDown(VK_RSHIFT) && IsDown(VK_RMENU);
}

}  // namespace kiro::win32_platform
