#pragma once
#include "platform/win32/Win32DeviceEvents.h"
#include "platform/win32/Win32DeviceIo.h"
#include "platform/win32/Win32FileAttributes.h"
#include "platform/win32/Win32Volumes.h"

namespace kiro::win32_platform {

// The real disks, device commands, device events and file attributes of this machine, wired
// together once by the front end's main.
class Win32Machine {
  public:
    Win32Machine() : devices(volumes) {}
    Win32Machine(const Win32Machine&) = delete;
    Win32Machine& operator=(const Win32Machine&) = delete;

    Win32Volumes volumes;
    Win32DeviceIo devices;
    Win32DeviceEvents events;
    Win32FileAttributes attributes;
};

}  // namespace kiro::win32_platform
