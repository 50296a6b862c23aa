#include "platform/win32/Win32Volumes.h"

// The device and storage headers need the base types of the system header before them.
#include <windows.h>

#include <setupapi.h>
#include <winioctl.h>

#include <cstddef>
#include <optional>
#include <set>
#include <utility>

#include "platform/win32/Win32Handle.h"

namespace kiro::win32_platform {

namespace {

constexpr uint32_t kAllLetters = (1u << 26) - 1;

// The disk device interface class. Spelled out here: the name the system headers give it is
// only declared there, and its definition would need a library of its own.
const GUID kDiskInterfaceClass = {
    0x53f56307, 0xb6bf, 0x11d0, {0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b}};

std::string RootFolderOf(char letter) {
    return std::string{letter, ':', '\\'};
}

DriveType DriveTypeOf(UINT systemType) {
    return systemType <= static_cast<UINT>(DriveType::RamDisk) ? static_cast<DriveType>(systemType)
                                                               : DriveType::Unknown;
}

// A device in the system's namespace ("\\?\..." or "\\.\..." without the trailing separator of a
// root, as a disk's interface path is) names no folder, whatever the system would make of it
// if asked about it as a root.
bool NamesADevice(const std::string& path) {
    const bool inDeviceNamespace = path.size() >= 4 && path[0] == '\\' && path[1] == '\\' &&
                                   (path[2] == '?' || path[2] == '.') && path[3] == '\\';
    return inDeviceNamespace && path.back() != '\\';
}

// A handle for asking a device about itself. The storage queries need no read or write access,
// so the open needs no rights on the disk and does not touch its media.
KernelHandle OpenForQueries(const std::string& name) {
    return KernelHandle(
        CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
}

// A disk as the storage stack numbers it (device type, device number); each volume on the disk
// answers with the same pair.
using DiskNumber = std::pair<DWORD, DWORD>;

std::optional<DiskNumber> DiskNumberOf(HANDLE device) {
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    if (!DeviceIoControl(device, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number,
                         &returned, nullptr) ||
        returned < sizeof number)
        return std::nullopt;
    return DiskNumber{number.DeviceType, number.DeviceNumber};
}

// The removable-media bit of the disk's own description: the same bit that makes the system
// call the disk's volumes removable drives, so a disk counts here exactly when a letter on it
// would be of the Removable type.
bool HoldsRemovableMedia(HANDLE disk) {
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    STORAGE_DEVICE_DESCRIPTOR descriptor{};
    DWORD returned = 0;
    if (!DeviceIoControl(disk, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &descriptor,
                         sizeof descriptor, &returned, nullptr))
        return false;
    return returned >=
               offsetof(STORAGE_DEVICE_DESCRIPTOR, RemovableMedia) + sizeof descriptor.RemovableMedia &&
           descriptor.RemovableMedia;
}

// The disks that carry a removable drive letter. A volume that cannot be opened or numbered is
// left out, so its disk counts as letterless and is still reachable by its path.
std::set<DiskNumber> DisksWithRemovableLetters(uint32_t drives) {
    std::set<DiskNumber> disks;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(drives & LetterBit(letter))) continue;
        if (GetDriveTypeA(RootFolderOf(letter).c_str()) != DRIVE_REMOVABLE) continue;
        const KernelHandle volume = OpenForQueries(VolumeDeviceName(letter));
        if (!volume.Valid()) continue;
        if (const auto disk = DiskNumberOf(volume.Get())) disks.insert(*disk);
    }
    return disks;
}

std::optional<std::string> InterfacePathOf(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& diskInterface) {
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(set, &diskInterface, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return std::nullopt;
    // Whole DWORDs, so that the detail's size field is aligned.
    std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
    // The size of the fixed part, not of the whole buffer: the function checks it against
    // the structure it knows.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(set, &diskInterface, detail, required, nullptr, nullptr))
        return std::nullopt;
    return std::string(detail->DevicePath);
}

// The interface paths of the disks present. No device information (the search failed) is
// answered as no disks: the letters still find every watch with a volume.
std::vector<std::string> DiskInterfacePaths() {
    const DeviceInfoList set(
        SetupDiGetClassDevsA(&kDiskInterfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    std::vector<std::string> paths;
    if (!set.Valid()) return paths;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA diskInterface{};
        diskInterface.cbSize = sizeof diskInterface;
        if (!SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &kDiskInterfaceClass, index, &diskInterface))
            break;
        if (auto path = InterfacePathOf(set.Get(), diskInterface)) paths.push_back(std::move(*path));
    }
    return paths;
}

}  // namespace

bool IsDriveLetter(char letter) {
    return letter >= 'A' && letter <= 'Z';
}

std::string VolumeDeviceName(char letter) {
    return std::string{'\\', '\\', '.', '\\', letter, ':'};
}

QuietDriveErrors::QuietDriveErrors() {
    changed_ = SetThreadErrorMode(GetThreadErrorMode() | SEM_FAILCRITICALERRORS, &previousMode_);
}

QuietDriveErrors::~QuietDriveErrors() {
    if (changed_) SetThreadErrorMode(previousMode_, nullptr);
}

uint32_t Win32Volumes::LogicalDrives() const {
    return GetLogicalDrives() & kAllLetters;
}

DriveType Win32Volumes::TypeOf(char letter) const {
    if (!IsDriveLetter(letter)) return DriveType::NoRootDir;
    return DriveTypeOf(GetDriveTypeA(RootFolderOf(letter).c_str()));
}

DriveType Win32Volumes::TypeOfPath(const std::string& devicePath) const {
    if (devicePath.empty() || NamesADevice(devicePath)) return DriveType::NoRootDir;
    // The system takes a folder for a root only with its trailing separator.
    std::string folder = devicePath;
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return DriveTypeOf(GetDriveTypeA(folder.c_str()));
}

std::string Win32Volumes::RootOf(char letter) const {
    if (!IsDriveLetter(letter) || !(LogicalDrives() & LetterBit(letter))) return {};
    return std::string{letter, ':'};
}

bool Win32Volumes::SpaceOf(char letter, uint64_t& totalBytes, uint64_t& freeBytes) const {
    if (!IsDriveLetter(letter)) return false;
    const QuietDriveErrors quiet;
    ULARGE_INTEGER available{}, total{};
    // The space this user may still fill, as quotas leave it, not the volume's raw free count.
    if (!GetDiskFreeSpaceExA(RootFolderOf(letter).c_str(), &available, &total, nullptr)) return false;
    totalBytes = total.QuadPart;
    freeBytes = available.QuadPart;
    return true;
}

std::vector<std::string> Win32Volumes::UnmountedDiskPaths() const {
    const QuietDriveErrors quiet;
    const std::set<DiskNumber> lettered = DisksWithRemovableLetters(LogicalDrives());
    std::vector<std::string> paths;
    for (std::string& path : DiskInterfacePaths()) {
        const KernelHandle disk = OpenForQueries(path);
        if (!disk.Valid() || !HoldsRemovableMedia(disk.Get())) continue;
        // A disk that cannot be numbered cannot be told apart from the disks of the letters: it
        // is left to them rather than reached twice.
        const auto number = DiskNumberOf(disk.Get());
        if (number && !lettered.count(*number)) paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace kiro::win32_platform
