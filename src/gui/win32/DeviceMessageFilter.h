#pragma once
#include <QAbstractNativeEventFilter>
#include <functional>

#include "platform/win32/Win32DeviceEvents.h"

namespace kiro::gui {

// Windows posts its device-change messages to every top-level window; the program takes those
// of its main window only (the listeners besides it hear them through the main window), hands
// each to the device events and has them delivered at once. Installed on the application while
// an object of this lives.
class DeviceMessageFilter final : public QAbstractNativeEventFilter {
  public:
    DeviceMessageFilter(win32_platform::Win32DeviceEvents& events, void* mainWindow,
                        std::function<void()> deliver);
    ~DeviceMessageFilter() override;
    DeviceMessageFilter(const DeviceMessageFilter&) = delete;
    DeviceMessageFilter& operator=(const DeviceMessageFilter&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    win32_platform::Win32DeviceEvents& events_;
    void* mainWindow_;
    std::function<void()> deliver_;
};

}  // namespace kiro::gui
