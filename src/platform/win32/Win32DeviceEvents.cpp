#include "platform/win32/Win32DeviceEvents.h"

// The device broadcast types need the base types of the system header before them.
#include <windows.h>

#include <dbt.h>

namespace kiro::win32_platform {

namespace {

constexpr uint32_t kAllLetters = (1u << 26) - 1;

// The letters of a volume broadcast; 0 for a broadcast of another kind of device, or one too
// short to hold a volume's letters.
uint32_t VolumeLettersOf(intptr_t lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME ||
        header->dbch_size < sizeof(DEV_BROADCAST_VOLUME))
        return 0;
    return reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lParam)->dbcv_unitmask & kAllLetters;
}

}  // namespace

std::vector<DeviceChange> ChangesForDeviceMessage(uintptr_t wParam, intptr_t lParam) {
    switch (wParam) {
        case DBT_DEVICEARRIVAL:
        case DBT_DEVICEREMOVECOMPLETE: {
            const uint32_t letters = VolumeLettersOf(lParam);
            if (!letters) return {};
            const auto kind = wParam == DBT_DEVICEARRIVAL ? DeviceChange::Kind::VolumeArrival
                                                          : DeviceChange::Kind::VolumeRemoval;
            return {{kind, letters}};
        }
        case DBT_DEVNODES_CHANGED:
            return {{DeviceChange::Kind::DevicesChanged, 0}};
        default:
            return {};
    }
}

void Win32DeviceEvents::OnDeviceChangeMessage(uintptr_t wParam, intptr_t lParam) {
    for (const DeviceChange& change : ChangesForDeviceMessage(wParam, lParam)) waiting_.push_back(change);
}

void Win32DeviceEvents::Dispatch(DeviceChangeSink& sink) {
    // One at a time off the front: the sink may add to the queue while it runs.
    while (!waiting_.empty()) {
        const DeviceChange change = waiting_.front();
        waiting_.pop_front();
        sink.OnDeviceChange(change);
    }
}

}  // namespace kiro::win32_platform
