#include "platform/linux/LinuxDeviceIo.h"

#include <fcntl.h>
#include <sys/file.h>

#include "platform/linux/SgPassThrough.h"

namespace kiro::linux_platform {

namespace {

DeviceHandle HandleOf(int openResult) {
    return openResult >= 0 ? openResult : kNoDevice;
}

}  // namespace

DeviceHandle LinuxDeviceIo::OpenDisk(const BlockDisk& disk) {
    // Non-blocking opens: a generic node held exclusively elsewhere, or a card reader without
    // a card, must not hang the program; SG_IO itself still waits for the answer.
    int fd = -1;
    if (!disk.genericNode.empty()) fd = calls_.Open(disk.genericNode, O_RDWR | O_NONBLOCK);
    for (const int access : {O_RDWR, O_RDONLY})
        if (fd < 0) fd = calls_.Open(disk.node, access | O_NONBLOCK);
    if (fd < 0) return kNoDevice;
    attachments_[fd] = {disk.serial, disk.connection};
    return fd;
}

DeviceHandle LinuxDeviceIo::OpenVolume(char letter) {
    const auto volume = volumes_.VolumeOf(letter);
    if (!volume) return kNoDevice;
    const auto disk = devices_.DiskOf(volume->device);
    return disk ? OpenDisk(*disk) : kNoDevice;
}

DeviceHandle LinuxDeviceIo::OpenPath(const std::string& devicePath) {
    if (const auto disk = devices_.DiskOfNode(devicePath)) return OpenDisk(*disk);
    return HandleOf(calls_.Open(devicePath, O_RDWR | O_NONBLOCK));
}

void LinuxDeviceIo::Close(DeviceHandle handle) {
    if (handle == kNoDevice) return;
    attachments_.erase(handle);
    calls_.Close(handle);
}

DeviceAttachment LinuxDeviceIo::AttachmentOf(DeviceHandle handle) {
    const auto found = attachments_.find(handle);
    return found == attachments_.end() ? DeviceAttachment{} : found->second;
}

int LinuxDeviceIo::Send(DeviceHandle handle, const ScsiRequest& request) {
    return SendSgCommand(calls_, handle, request);
}

int LinuxDeviceIo::Lock(DeviceHandle handle) {
    return -calls_.Flock(handle, LOCK_EX | LOCK_NB);
}

int LinuxDeviceIo::Unlock(DeviceHandle handle) {
    return -calls_.Flock(handle, LOCK_UN);
}

}  // namespace kiro::linux_platform
