#pragma once
#include <QObject>

#include "core/system/Keyboard.h"

namespace kiro::gui {

// The right Shift and right Alt keys as the desktop reports them: the keys are told apart from
// their left twins only by their native scan codes, which an application-wide event filter sees
// in every key press and release that reaches the program.
class DesktopKeyboard final : public QObject, public Keyboard {
    Q_OBJECT
  public:
    // The native codes of the right Shift and the right Alt (AltGr) keys on a PC keyboard.
#if defined(_WIN32)
    // The keyboard's scan codes, with the bit of the extended keys (0x100) that Qt keeps.
    static constexpr quint32 kRightShift = 0x36;
    static constexpr quint32 kRightAlt = 0x138;
#else
    // X11 key codes.
    static constexpr quint32 kRightShift = 62;
    static constexpr quint32 kRightAlt = 108;
#endif

    // Watches the keys of the whole application from now on.
    DesktopKeyboard();
    ~DesktopKeyboard() override;

    bool RightShiftAndRightAltHeld() const override {
        return rightShift_ && rightAlt_;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool rightShift_ = false;
    bool rightAlt_ = false;
};

}  // namespace kiro::gui
