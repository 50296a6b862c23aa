#include "platform/linux/LinuxDeviceEvents.h"

#include <fcntl.h>
#include <libudev.h>
#include <sys/epoll.h>
#include <unistd.h>

namespace kiro::linux_platform {

std::vector<DeviceChange> NotificationsFor(const VolumeChanges& changes, bool devicesChanged) {
    std::vector<DeviceChange> notifications;
    if (changes.removed) notifications.push_back({DeviceChange::Kind::VolumeRemoval, changes.removed});
    if (changes.arrived) notifications.push_back({DeviceChange::Kind::VolumeArrival, changes.arrived});
    if (notifications.empty() && (devicesChanged || changes.mountsChanged))
        notifications.push_back({DeviceChange::Kind::DevicesChanged, 0});
    return notifications;
}

namespace {

void Watch(int epollFd, int fd, uint32_t events) {
    if (epollFd < 0 || fd < 0) return;
    epoll_event event{};
    event.events = events;
    event.data.fd = fd;
    epoll_ctl(epollFd, EPOLL_CTL_ADD, fd, &event);
}

}  // namespace

LinuxDeviceEvents::LinuxDeviceEvents(LinuxVolumes& volumes, const std::string& mountInfoPath)
    : volumes_(volumes), epollFd_(epoll_create1(EPOLL_CLOEXEC)) {
    // Without a udev monitor (no netlink in a container) the mount table alone still tells of
    // volumes; without either, the descriptor never fires and a rescan finds what changed.
    udev_ = udev_new();
    if (udev_) monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ && (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "block", nullptr) < 0 ||
                     udev_monitor_enable_receiving(monitor_) < 0)) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
    if (monitor_) Watch(epollFd_, udev_monitor_get_fd(monitor_), EPOLLIN);
    mountInfoFd_ = open(mountInfoPath.c_str(), O_RDONLY | O_CLOEXEC);
    Watch(epollFd_, mountInfoFd_, EPOLLPRI | EPOLLERR);
}

LinuxDeviceEvents::~LinuxDeviceEvents() {
    if (epollFd_ >= 0) close(epollFd_);
    if (mountInfoFd_ >= 0) close(mountInfoFd_);
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
}

void LinuxDeviceEvents::Dispatch(DeviceChangeSink& sink) {
    // Clears epoll's ready list, so that the descriptor does not stay readable for a signal
    // that has been taken.
    epoll_event ready[4];
    if (epollFd_ >= 0) epoll_wait(epollFd_, ready, 4, 0);
    bool devicesChanged = false;
    while (monitor_) {
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (!device) break;
        devicesChanged = true;
        udev_device_unref(device);
    }
    for (const DeviceChange& change : NotificationsFor(volumes_.Refresh(), devicesChanged))
        sink.OnDeviceChange(change);
}

}  // namespace kiro::linux_platform
