#pragma once
#include <string>

#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/FakeDeviceEvents.h"
#include "platform/sim/FakeFileAttributes.h"
#include "platform/sim/FakeVolumes.h"
#include "platform/sim/FileModeWatch.h"
#include "platform/sim/SimulatedDeviceIo.h"

namespace kiro::sim {

// The PC's disks, device commands and device notifications as one piece, into which a test or
// the demo plugs watches and from which it pulls them again. Plugging in queues the
// notification the system would send.
class SimulatedMachine {
  public:
    // A file-mode watch: its folder gets the lowest free letter D..Z and an arrival is queued.
    // Returns the letter, 0 when none is free.
    char PlugIn(const FileModeWatch& watch);
    // A device-mode watch whose disk has a volume (mounted on the folder `volumeRoot`).
    char PlugIn(DeviceModeWatch& watch, const std::string& volumeRoot);
    // A device-mode watch whose disk has no mounted volume: reachable by its device path only.
    // A general device change is queued. Returns the device path.
    std::string PlugInWithoutVolume(DeviceModeWatch& watch);
    // The same for a watch that was plugged in already, before this machine's program started:
    // it stays in the connection it is in.
    std::string AttachWithoutVolume(DeviceModeWatch& watch);
    // Takes out whatever is plugged in at the letter and queues its removal.
    void Unplug(char letter);
    void Unplug(const std::string& devicePath);

    FakeVolumes volumes;
    SimulatedDeviceIo devices;
    FakeDeviceEvents events;
    FakeFileAttributes attributes;

  private:
    int pathsGiven_ = 0;
};

}  // namespace kiro::sim
