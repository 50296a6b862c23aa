#include "platform/linux/BlockDevices.h"

#include <filesystem>

namespace kiro::linux_platform {

bool CountsAsRemovable(const std::string& removableFlag) {
    return removableFlag == "1";
}

std::string AttachmentName(const std::string& bootId, const std::string& diskSequence,
                           const std::string& usbNumber) {
    const bool usbKnown = !usbNumber.empty() && usbNumber != "-";
    if (diskSequence.empty() && !usbKnown) return {};
    return "boot " + bootId + " disk " + diskSequence + " usb " + (usbKnown ? usbNumber : std::string());
}

std::string ScsiGenericNodeOf(const std::string& diskSysPath) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(diskSysPath + "/device/scsi_generic", error))
        return "/dev/" + entry.path().filename().string();
    return {};
}

}  // namespace kiro::linux_platform
