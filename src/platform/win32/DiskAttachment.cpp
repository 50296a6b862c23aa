#include "platform/win32/DiskAttachment.h"

#include <windows.h>
#include <winioctl.h>
// After windows.h.
#include <cfgmgr32.h>
#include <setupapi.h>

#include <optional>
#include <string>
#include <vector>

#include "core/base/Format.h"
#include "platform/win32/Win32Handle.h"

namespace kiro::win32_platform {
namespace {

// The disk interface class, and the device property "last arrival date" (a FILETIME).
constexpr GUID kDiskInterfaceClass = {
    0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
constexpr DEVPROPKEY kLastArrivalDate = {
    {0x83DA6326, 0x97A6, 0x4088, {0x94, 0x53, 0xA1, 0x92, 0x3F, 0x57, 0x3B, 0x29}}, 102};

std::string SerialNumberOf(HANDLE device) {
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    std::vector<DWORD> storage(256);  // whole DWORDs: the descriptor is read in place
    DWORD returned = 0;
    if (!DeviceIoControl(device, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, storage.data(),
                         static_cast<DWORD>(storage.size() * sizeof(DWORD)), &returned, nullptr))
        return {};
    const auto* descriptor = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR*>(storage.data());
    const DWORD offset = descriptor->SerialNumberOffset;
    if (offset == 0 || offset >= returned) return {};
    const char* text = reinterpret_cast<const char*>(storage.data()) + offset;
    std::string serial(text, strnlen(text, returned - offset));
    // Drivers pad the number with spaces.
    while (!serial.empty() && serial.back() == ' ') serial.pop_back();
    serial.erase(0, serial.find_first_not_of(' '));
    return serial;
}

std::optional<STORAGE_DEVICE_NUMBER> DeviceNumberOf(HANDLE device) {
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    if (!DeviceIoControl(device, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number,
                         &returned, nullptr))
        return std::nullopt;
    return number;
}

std::string DetailPathOf(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& diskInterface, SP_DEVINFO_DATA& info) {
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(set, &diskInterface, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return {};
    std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(set, &diskInterface, detail, required, nullptr, &info)) return {};
    return detail->DevicePath;
}

// The disk's device instance and its last arrival, found among the present disks by its number.
std::string ConnectionOf(const STORAGE_DEVICE_NUMBER& wanted) {
    const DeviceInfoList set(
        SetupDiGetClassDevsA(&kDiskInterfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set.Valid()) return {};
    std::string connection;
    for (DWORD index = 0; connection.empty(); ++index) {
        SP_DEVICE_INTERFACE_DATA diskInterface{};
        diskInterface.cbSize = sizeof diskInterface;
        if (!SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &kDiskInterfaceClass, index, &diskInterface))
            break;
        SP_DEVINFO_DATA info{};
        info.cbSize = sizeof info;
        const std::string path = DetailPathOf(set.Get(), diskInterface, info);
        if (path.empty()) continue;
        const KernelHandle disk(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        if (!disk.Valid()) continue;
        const auto number = DeviceNumberOf(disk.Get());
        if (!number || number->DeviceType != wanted.DeviceType || number->DeviceNumber != wanted.DeviceNumber)
            continue;
        char instance[MAX_DEVICE_ID_LEN + 1] = {};
        FILETIME arrival{};
        DEVPROPTYPE type = 0;
        if (!SetupDiGetDeviceInstanceIdA(set.Get(), &info, instance, sizeof instance, nullptr) ||
            !SetupDiGetDevicePropertyW(set.Get(), &info, &kLastArrivalDate, &type,
                                       reinterpret_cast<BYTE*>(&arrival), sizeof arrival, nullptr, 0) ||
            type != DEVPROP_TYPE_FILETIME)
            break;
        connection = instance + Format(" %08lx%08lx", arrival.dwHighDateTime, arrival.dwLowDateTime);
    }
    return connection;
}

}  // namespace

DeviceAttachment DiskAttachmentOf(void* device) {
    DeviceAttachment attachment;
    attachment.serial = SerialNumberOf(device);
    if (const auto number = DeviceNumberOf(device)) attachment.connection = ConnectionOf(*number);
    return attachment;
}

}  // namespace kiro::win32_platform
