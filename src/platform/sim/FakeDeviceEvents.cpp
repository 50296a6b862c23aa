#include "platform/sim/FakeDeviceEvents.h"

namespace kiro::sim {

void FakeDeviceEvents::Dispatch(DeviceChangeSink& sink) {
    // A handler may cause new notifications (plugging a watch in the middle of a collection);
    // they wait for the next dispatch, as with a real event loop.
    std::deque<DeviceChange> waiting;
    waiting.swap(queue_);
    for (const DeviceChange& change : waiting) sink.OnDeviceChange(change);
}

}  // namespace kiro::sim
