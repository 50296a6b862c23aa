#pragma once
#include <string>
#include <vector>

#include "core/system/DeviceEvents.h"
#include "platform/linux/LinuxVolumes.h"

struct udev;
struct udev_monitor;

namespace kiro::linux_platform {

// The notifications for one look at the machine: removals first (a letter taken back may be
// given again in the same look), then arrivals; a change that moved no letter (a disk without
// volume came or went, a mount elsewhere) is a general device change. Arrival and removal
// count as general changes themselves, so none is added beside them.
std::vector<DeviceChange> NotificationsFor(const VolumeChanges& changes, bool devicesChanged);

// Device events on Linux: a udev monitor on the block subsystem (disks and partitions coming
// and going) and the mount table (volumes mounted and unmounted, which the kernel signals as
// POLLPRI on /proc/self/mountinfo). Both descriptors sit in one epoll descriptor, which the
// front end watches for reading.
class LinuxDeviceEvents final : public DeviceEvents {
  public:
    explicit LinuxDeviceEvents(LinuxVolumes& volumes,
                               const std::string& mountInfoPath = "/proc/self/mountinfo");
    ~LinuxDeviceEvents() override;
    LinuxDeviceEvents(const LinuxDeviceEvents&) = delete;
    LinuxDeviceEvents& operator=(const LinuxDeviceEvents&) = delete;

    int Fd() const override { return epollFd_; }
    // Drains what woke the descriptor, then compares the mount table with the last one: which
    // descriptor fired is not trusted, because polling the epoll descriptor already consumes
    // the mount table's signal.
    void Dispatch(DeviceChangeSink& sink) override;

  private:
    LinuxVolumes& volumes_;
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    int mountInfoFd_ = -1;
    int epollFd_ = -1;
};

}  // namespace kiro::linux_platform
