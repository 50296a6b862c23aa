#pragma once
#include <cstdint>

namespace kiro {

// One device notification: volumes that arrived, volumes that went away, or a general change
// of the machine's devices. Every notification also counts as a general change.
struct DeviceChange {
    enum class Kind { VolumeArrival, VolumeRemoval, DevicesChanged };
    Kind kind = Kind::DevicesChanged;
    uint32_t letterMask = 0;  // bit 0 = A; only for arrival and removal
};

class DeviceChangeSink {
  public:
    virtual ~DeviceChangeSink() = default;
    virtual void OnDeviceChange(const DeviceChange& change) = 0;
};

// A source of device notifications. The front end watches Fd() in its event loop (a descriptor
// that becomes readable when notifications wait) and calls Dispatch() on the UI thread, which
// delivers them to the sink in order.
class DeviceEvents {
  public:
    virtual ~DeviceEvents() = default;
    virtual int Fd() const = 0;  // -1 when the source has no descriptor (simulated events)
    virtual void Dispatch(DeviceChangeSink& sink) = 0;
};

}  // namespace kiro
