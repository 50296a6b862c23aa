#pragma once
#include "core/system/DeviceIo.h"

namespace kiro::win32_platform {

// The attachment of the disk behind an open volume or disk handle: the serial number its storage
// driver reports, and as its connection the disk's device instance with the moment the system
// last saw it arrive (which changes every time it is plugged in). Parts the system does not tell
// stay empty.
DeviceAttachment DiskAttachmentOf(void* device);

}  // namespace kiro::win32_platform
