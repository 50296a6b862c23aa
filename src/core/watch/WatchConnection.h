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
    char modelLetter = 0;             // 'E' selects the data-block reader
    bool collectFlag = false;         // a device-mode watch with it off gives no step data
    DeviceHandle handle = kNoDevice;  // kept open while a device-mode watch is current
    std::string devicePath;           // the path of a '*' watch
    bool eventsSuspended = false;     // device events do nothing while set (factory setup)
    char busyDrive = kNoDrive;        // the drive whose collection pass is running
    // The device-mode watch (by Identity) whose last pass failed part way: it is not read again
    // until it has been plugged out, so that it hands everything over anew. The program folder's
    // journal keeps the same across programs where the system tells connections apart.
    std::string refusedWatch;
    // A device-mode watch as the journal knows it (identification text and serial number), and
    // the connection it was found in (empty when the system cannot tell).
    std::string deviceIdentity;
    std::string deviceConnection;

    // The drive letter, or the device path of a watch without one.
    std::string Identity() const {
        return currentDrive == kDevicePathDrive ? devicePath : std::string(1, currentDrive);
    }
    bool ReadRefused() const { return !refusedWatch.empty() && refusedWatch == Identity(); }
};

enum TimeAdjustMode : int { kTimeAdjustAuto = 0, kTimeAdjustManual = 1 };

}  // namespace kiro
