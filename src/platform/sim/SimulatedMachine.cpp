#include "platform/sim/SimulatedMachine.h"

#include "core/base/Format.h"

namespace kiro::sim {

namespace {

DeviceChange Arrival(char letter) {
    return {DeviceChange::Kind::VolumeArrival, LetterBit(letter)};
}

}  // namespace

char SimulatedMachine::PlugIn(const FileModeWatch& watch) {
    const char letter = volumes.Mount(watch.Folder());
    if (letter != 0) events.Push(Arrival(letter));
    return letter;
}

char SimulatedMachine::PlugIn(DeviceModeWatch& watch, const std::string& volumeRoot) {
    const char letter = volumes.Mount(volumeRoot);
    if (letter == 0) return 0;
    watch.OnPluggedIn();
    devices.Attach(letter, watch);
    events.Push(Arrival(letter));
    return letter;
}

std::string SimulatedMachine::PlugInWithoutVolume(DeviceModeWatch& watch) {
    watch.OnPluggedIn();
    return AttachWithoutVolume(watch);
}

std::string SimulatedMachine::AttachWithoutVolume(DeviceModeWatch& watch) {
    std::string path = Format("/dev/sim-x5-%d", ++pathsGiven_);
    volumes.AddUnmountedDisk(path);
    devices.Attach(path, watch);
    events.Push({DeviceChange::Kind::DevicesChanged, 0});
    return path;
}

void SimulatedMachine::Unplug(char letter) {
    if (volumes.RootOf(letter).empty()) return;
    volumes.Unmount(letter);
    devices.Detach(letter);
    events.Push({DeviceChange::Kind::VolumeRemoval, LetterBit(letter)});
}

void SimulatedMachine::Unplug(const std::string& devicePath) {
    volumes.RemoveUnmountedDisk(devicePath);
    devices.Detach(devicePath);
    events.Push({DeviceChange::Kind::DevicesChanged, 0});
}

}  // namespace kiro::sim
