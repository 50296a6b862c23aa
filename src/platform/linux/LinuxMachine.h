#pragma once
#include "platform/linux/LinuxDeviceEvents.h"
#include "platform/linux/LinuxDeviceIo.h"
#include "platform/linux/LinuxFileAttributes.h"
#include "platform/linux/LinuxVolumes.h"
#include "platform/linux/SystemCalls.h"
#include "platform/linux/UdevBlockDevices.h"

namespace kiro::linux_platform {

// The real disks, device commands, device events and file attributes of this machine, wired
// together once by the front end's main.
class LinuxMachine {
  public:
    LinuxMachine()
        : volumes(blockDevices), devices(calls, volumes, blockDevices), events(volumes), attributes(calls) {}
    LinuxMachine(const LinuxMachine&) = delete;
    LinuxMachine& operator=(const LinuxMachine&) = delete;

    RealSystemCalls calls;
    UdevBlockDevices blockDevices;
    LinuxVolumes volumes;
    LinuxDeviceIo devices;
    LinuxDeviceEvents events;
    LinuxFileAttributes attributes;
};

}  // namespace kiro::linux_platform
