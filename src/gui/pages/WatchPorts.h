#pragma once
#include "core/system/DeviceIo.h"
#include "core/system/FileAttributes.h"
#include "core/system/Volumes.h"
#include "core/watchdisk/WatchDiscovery.h"
#include "gui/mainwindow/DeviceEventRouter.h"

namespace kiro::gui {

// What the pages that write to the watch work with besides their PageContext: the disks, the
// device commands, the file attributes, the watch selection and the device notifications.
struct WatchPorts {
    const Volumes& volumes;
    DeviceIo& device;
    FileAttributes& attributes;
    WatchDiscovery& discovery;
    DeviceEventRouter& events;
};

}  // namespace kiro::gui
