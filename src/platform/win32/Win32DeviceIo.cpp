#include "platform/win32/Win32DeviceIo.h"

#include <windows.h>
#include <winioctl.h>

#include <climits>
#include <utility>

#include "platform/win32/DiskAttachment.h"
#include "platform/win32/ScsiPassThroughDirect.h"
#include "platform/win32/Win32Volumes.h"

namespace kiro::win32_platform {

DeviceHandle Win32DeviceIo::Open(const std::string& name) {
    const QuietDriveErrors quiet;
    // Without buffering, so that nothing the system cached of the disk stands between the
    // program and the device.
    KernelHandle handle(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_NO_BUFFERING, nullptr));
    if (!handle.Valid()) return kNoDevice;
    do {
        lastGiven_ = lastGiven_ == INT_MAX ? 1 : lastGiven_ + 1;
    } while (open_.count(lastGiven_));
    open_.emplace(lastGiven_, std::move(handle));
    return lastGiven_;
}

DeviceHandle Win32DeviceIo::OpenVolume(char letter) {
    if (!IsDriveLetter(letter) || !(volumes_.LogicalDrives() & LetterBit(letter))) return kNoDevice;
    return Open(VolumeDeviceName(letter));
}

DeviceHandle Win32DeviceIo::OpenPath(const std::string& devicePath) {
    if (devicePath.empty()) return kNoDevice;
    return Open(devicePath);
}

void Win32DeviceIo::Close(DeviceHandle handle) {
    open_.erase(handle);
}

SystemHandle Win32DeviceIo::SystemHandleOf(DeviceHandle handle) const {
    const auto open = open_.find(handle);
    return open == open_.end() ? nullptr : open->second.Get();
}

int Win32DeviceIo::Send(DeviceHandle handle, const ScsiRequest& request) {
    HANDLE device = SystemHandleOf(handle);
    if (!device) return ERROR_INVALID_HANDLE;
    return SendScsiPassThroughDirect(request, [device](ScsiPassThroughDirectRequest& command) {
        DWORD returned = 0;
        if (DeviceIoControl(device, IOCTL_SCSI_PASS_THROUGH_DIRECT, &command, sizeof command, &command,
                            sizeof command, &returned, nullptr))
            return 0;
        return ReportedSystemError(GetLastError());
    });
}

int Win32DeviceIo::VolumeControl(DeviceHandle handle, unsigned long code) {
    HANDLE device = SystemHandleOf(handle);
    if (!device) return ERROR_INVALID_HANDLE;
    DWORD returned = 0;
    if (DeviceIoControl(device, code, nullptr, 0, nullptr, 0, &returned, nullptr)) return 0;
    return ReportedSystemError(GetLastError());
}

int Win32DeviceIo::Lock(DeviceHandle handle) {
    return VolumeControl(handle, FSCTL_LOCK_VOLUME);
}

int Win32DeviceIo::Unlock(DeviceHandle handle) {
    return VolumeControl(handle, FSCTL_UNLOCK_VOLUME);
}

DeviceAttachment Win32DeviceIo::AttachmentOf(DeviceHandle handle) {
    HANDLE device = SystemHandleOf(handle);
    return device ? DiskAttachmentOf(device) : DeviceAttachment{};
}

}  // namespace kiro::win32_platform
