#include "platform/linux/UdevBlockDevices.h"

#include <libudev.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <fstream>

namespace kiro::linux_platform {

namespace {

std::string TextOr(const char* text) {
    return text ? text : "";
}

// The kernel's name of this boot: disk sequence numbers and USB device numbers start again at
// every boot.
std::string ReadBootId() {
    std::ifstream file("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(file, id);
    return id;
}

}  // namespace

UdevBlockDevices::UdevBlockDevices() : udev_(udev_new()), bootId_(ReadBootId()) {}

void UdevBlockDevices::DescribeAttachment(udev_device* disk, BlockDisk& facts) const {
    // A disk on no USB bus (or a kernel before 5.15, without diskseq) still gets what there is.
    const std::string sequence = TextOr(udev_device_get_sysattr_value(disk, "diskseq"));
    std::string usbNumber;
    if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(disk, "usb", "usb_device")) {
        facts.serial = TextOr(udev_device_get_sysattr_value(usb, "serial"));
        usbNumber = TextOr(udev_device_get_sysattr_value(usb, "busnum")) + "-" +
                    TextOr(udev_device_get_sysattr_value(usb, "devnum"));
    }
    facts.connection = AttachmentName(bootId_, sequence, usbNumber);
}

UdevBlockDevices::~UdevBlockDevices() {
    if (udev_) udev_unref(udev_);
}

std::optional<BlockDisk> UdevBlockDevices::Describe(udev_device* device) const {
    if (!device) return std::nullopt;
    // A partition's parent disk belongs to the partition and is released with it.
    udev_device* disk = device;
    if (TextOr(udev_device_get_devtype(device)) == "partition")
        disk = udev_device_get_parent_with_subsystem_devtype(device, "block", "disk");
    std::optional<BlockDisk> described;
    if (disk) {
        const dev_t number = udev_device_get_devnum(disk);
        const std::string sysPath = TextOr(udev_device_get_syspath(disk));
        BlockDisk facts;
        facts.number = {major(number), minor(number)};
        facts.node = TextOr(udev_device_get_devnode(disk));
        if (facts.node.empty()) facts.node = "/dev/" + TextOr(udev_device_get_sysname(disk));
        facts.genericNode = ScsiGenericNodeOf(sysPath);
        facts.removable = CountsAsRemovable(TextOr(udev_device_get_sysattr_value(disk, "removable")));
        DescribeAttachment(disk, facts);
        described = facts;
    }
    udev_device_unref(device);
    return described;
}

std::optional<BlockDisk> UdevBlockDevices::DiskOf(DeviceNumber device) const {
    if (!udev_ || device.major == 0) return std::nullopt;
    return Describe(udev_device_new_from_devnum(udev_, 'b', makedev(device.major, device.minor)));
}

std::optional<BlockDisk> UdevBlockDevices::DiskOfNode(const std::string& path) const {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISBLK(status.st_mode)) return std::nullopt;
    return DiskOf({major(status.st_rdev), minor(status.st_rdev)});
}

std::vector<BlockDisk> UdevBlockDevices::Disks() const {
    std::vector<BlockDisk> disks;
    if (!udev_) return disks;
    udev_enumerate* enumerate = udev_enumerate_new(udev_);
    if (!enumerate) return disks;
    udev_enumerate_add_match_subsystem(enumerate, "block");
    udev_enumerate_add_match_property(enumerate, "DEVTYPE", "disk");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        if (auto disk = Describe(udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry))))
            disks.push_back(*disk);
    }
    udev_enumerate_unref(enumerate);
    return disks;
}

}  // namespace kiro::linux_platform
