#pragma once
#include <string>

#include "core/system/DeviceIo.h"

namespace kiro {

inline constexpr char kNoDrive = 0;
inline constexpr char kDevicePathDrive = '*';  // a device-mode watch found only by its device path

// The watch the program works with, one per process.
struct WatchConnection {
    char currentDrive = kNoDrive;  // 0, 'A'..'Z' or '*'
    bool deviceMode = false;
    char modelLetter = 0;          // 'E' selects the data-block reader
    bool collectFlag = false;      // a device-mode watch with it off gives no step data
    DeviceHandle handle = kNoDevice;  // kept open while a device-mode watch is current
    std::string devicePath;           // the path of a '*' watch
    bool eventsSuspended = false;  // device events do nothing while set (factory setup)
    char busyDrive = kNoDrive;     // the drive whose collection pass is running
    // A device read could not be stored: the watch must not be told to forget its data until
    // it is plugged in again and hands everything over anew.
    bool transferHeldBack = false;
};

enum TimeAdjustMode : int { kTimeAdjustAuto = 0, kTimeAdjustManual = 1 };

}  // namespace kiro
