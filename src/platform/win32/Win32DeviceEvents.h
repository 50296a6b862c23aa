#pragma once
#include <cstdint>
#include <deque>
#include <vector>

#include "core/system/DeviceEvents.h"

namespace kiro::win32_platform {

// What one device-change window message says, from its wParam and lParam: letters whose
// volumes arrived or went away (a disk, or the media of a card reader or drive), or a general
// change of the machine's devices. Other events of the message (removal requests, events of
// other kinds of device) say nothing the program acts on.
std::vector<DeviceChange> ChangesForDeviceMessage(uintptr_t wParam, intptr_t lParam);

// Device events on Windows: the system posts them to a top-level window as device-change
// messages, which the front end's native event filter hands over here. There is no descriptor
// to watch; the front end calls Dispatch after handing a message over.
class Win32DeviceEvents final : public DeviceEvents {
  public:
    // lParam points at the message's broadcast structure, which lives only while the
    // message is handled: what it says is taken now, and delivered by Dispatch.
    void OnDeviceChangeMessage(uintptr_t wParam, intptr_t lParam);

    int Fd() const override { return -1; }
    // Delivers the waiting changes in order. A sink that pumps messages may hand over new ones
    // (or dispatch again) while it runs; those are delivered after the ones before them.
    void Dispatch(DeviceChangeSink& sink) override;

  private:
    std::deque<DeviceChange> waiting_;
};

}  // namespace kiro::win32_platform
