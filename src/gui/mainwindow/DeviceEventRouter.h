#pragma once
#include "core/system/DeviceEvents.h"

namespace kiro::gui {

// Hands each device notification to the main window's watch handling and to the one window
// that listens besides it (the factory window while it is open), as the system tells every
// top-level window. The main window's handling itself does nothing while events are suspended.
class DeviceEventRouter final : public DeviceChangeSink {
  public:
    explicit DeviceEventRouter(DeviceChangeSink& main) : main_(main) {}

    void OnDeviceChange(const DeviceChange& change) override {
        main_.OnDeviceChange(change);
        if (listener_) listener_->OnDeviceChange(change);
    }

    // While an object of this lives, `listener` hears every notification too.
    class Listening {
      public:
        Listening(DeviceEventRouter& router, DeviceChangeSink& listener) : router_(router) {
            router_.listener_ = &listener;
        }
        ~Listening() { router_.listener_ = nullptr; }
        Listening(const Listening&) = delete;
        Listening& operator=(const Listening&) = delete;

      private:
        DeviceEventRouter& router_;
    };

  private:
    DeviceChangeSink& main_;
    DeviceChangeSink* listener_ = nullptr;
};

}  // namespace kiro::gui
