#include "gui/win32/DeviceMessageFilter.h"

#include <windows.h>

#include <QByteArray>
#include <QCoreApplication>
#include <utility>

namespace kiro::gui {

DeviceMessageFilter::DeviceMessageFilter(win32_platform::Win32DeviceEvents& events, void* mainWindow,
                                         std::function<void()> deliver)
    : events_(events), mainWindow_(mainWindow), deliver_(std::move(deliver)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DeviceMessageFilter::~DeviceMessageFilter() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeNativeEventFilter(this);
}

bool DeviceMessageFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
    if (eventType != "windows_generic_MSG") return false;
    const MSG& windowMessage = *static_cast<const MSG*>(message);
    if (windowMessage.message != WM_DEVICECHANGE || windowMessage.hwnd != mainWindow_) return false;
    events_.OnDeviceChangeMessage(windowMessage.wParam, windowMessage.lParam);
    deliver_();
    // Qt and the system handle the message as they would without us.
    return false;
}

}  // namespace kiro::gui
