#pragma once
#include <cstddef>
#include <deque>

#include "core/system/DeviceEvents.h"

namespace kiro::sim {

// Device notifications that a test queues; Dispatch delivers those waiting when it starts,
// in order. There is no descriptor to watch: the front end dispatches when told.
class FakeDeviceEvents final : public DeviceEvents {
  public:
    void Push(const DeviceChange& change) { queue_.push_back(change); }
    size_t Pending() const { return queue_.size(); }

    int Fd() const override { return -1; }
    void Dispatch(DeviceChangeSink& sink) override;

  private:
    std::deque<DeviceChange> queue_;
};

}  // namespace kiro::sim
