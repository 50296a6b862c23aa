#include "platform/sim/SimulatedDeviceIo.h"

#include <cerrno>

namespace kiro::sim {

void SimulatedDeviceIo::Detach(char letter) {
    const auto found = byLetter_.find(letter);
    if (found != byLetter_.end()) DetachWatch(found->second);
}

void SimulatedDeviceIo::Detach(const std::string& devicePath) {
    const auto found = byPath_.find(devicePath);
    if (found != byPath_.end()) DetachWatch(found->second);
}

void SimulatedDeviceIo::DetachWatch(const DeviceModeWatch* watch) {
    std::erase_if(byLetter_, [&](const auto& entry) { return entry.second == watch; });
    std::erase_if(byPath_, [&](const auto& entry) { return entry.second == watch; });
    for (auto& [handle, device] : handles_)
        if (device.watch == watch) device = {};
}

DeviceHandle SimulatedDeviceIo::Open(DeviceModeWatch* watch) {
    if (!watch) return kNoDevice;
    const DeviceHandle handle = nextHandle_++;
    handles_[handle] = {watch, false};
    return handle;
}

DeviceHandle SimulatedDeviceIo::OpenVolume(char letter) {
    const auto found = byLetter_.find(letter);
    return Open(found == byLetter_.end() ? nullptr : found->second);
}

DeviceHandle SimulatedDeviceIo::OpenPath(const std::string& devicePath) {
    const auto found = byPath_.find(devicePath);
    return Open(found == byPath_.end() ? nullptr : found->second);
}

void SimulatedDeviceIo::Close(DeviceHandle handle) {
    handles_.erase(handle);
}

SimulatedDeviceIo::OpenDevice* SimulatedDeviceIo::Find(DeviceHandle handle) {
    const auto found = handles_.find(handle);
    return found == handles_.end() ? nullptr : &found->second;
}

int SimulatedDeviceIo::Send(DeviceHandle handle, const ScsiRequest& request) {
    OpenDevice* device = Find(handle);
    if (!device) return EBADF;
    if (!device->watch) return ENODEV;
    ++commandsSent_;
    return device->watch->Answer(request);
}

int SimulatedDeviceIo::Lock(DeviceHandle handle) {
    OpenDevice* device = Find(handle);
    if (!device) return EBADF;
    if (!device->watch) return ENODEV;
    if (failingLocks_ > 0) {
        --failingLocks_;
        return EWOULDBLOCK;
    }
    for (const auto& [other, otherDevice] : handles_)
        if (other != handle && otherDevice.watch == device->watch && otherDevice.locked) return EWOULDBLOCK;
    device->locked = true;
    return 0;
}

int SimulatedDeviceIo::Unlock(DeviceHandle handle) {
    OpenDevice* device = Find(handle);
    if (!device) return EBADF;
    device->locked = false;
    return 0;
}

DeviceAttachment SimulatedDeviceIo::AttachmentOf(DeviceHandle handle) {
    const OpenDevice* device = Find(handle);
    if (!device || !device->watch) return {};
    return {device->watch->Serial(), "sim-" + std::to_string(device->watch->Connection())};
}

}  // namespace kiro::sim
