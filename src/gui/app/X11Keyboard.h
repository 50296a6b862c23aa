#pragma once
#include <QObject>

#include "core/system/Keyboard.h"

namespace kiro::gui {

// The right Shift and right Alt keys as an X11 desktop reports them: the keys are told apart from
// their left twins only by their native key codes, which an application-wide event filter sees in
// every key press and release that reaches the program.
class X11Keyboard final : public QObject, public Keyboard {
    Q_OBJECT
  public:
    // The X11 key codes of the right Shift and the right Alt (AltGr) keys on a PC keyboard.
    static constexpr quint32 kRightShift = 62;
    static constexpr quint32 kRightAlt = 108;

    // Watches the keys of the whole application from now on.
    X11Keyboard();
    ~X11Keyboard() override;

    bool RightShiftAndRightAltHeld() const override { return rightShift_ && rightAlt_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool rightShift_ = false;
    bool rightAlt_ = false;
};

}  // namespace kiro::gui
