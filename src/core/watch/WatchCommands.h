#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/system/DeviceIo.h"
#include "core/watch/ScsiTransport.h"

namespace kiro {

inline constexpr size_t kInquiryLength = 44;  // 36 asked for; the rest stays zero
inline constexpr size_t kConfigBlockSize = 256;
inline constexpr size_t kDataPageSize = 512;
inline constexpr size_t kDataBlockSize = 512;

// The answer of one read command. The data is all zero unless the command ended with good
// status, so a caller that looks only at the bytes reads a failure as "no watch", "end of
// data" or "no signature"; a caller that must tell a failure from the end of the data looks
// at the result (the codes of ScsiPassThrough).
template <size_t N>
struct DeviceRead {
    int result = kCommandNotSent;
    std::array<uint8_t, N> data{};
    bool Succeeded() const { return result == 0; }
};

using InquiryData = DeviceRead<kInquiryLength>;
using ConfigBlockRead = DeviceRead<kConfigBlockSize>;
using DataPageRead = DeviceRead<kDataPageSize>;
using DataBlockRead = DeviceRead<kDataBlockSize>;

// The standard INQUIRY, allocation length 36, through a volume or a disk device path.
InquiryData Inquiry(DeviceIo& io, char letter);
InquiryData Inquiry(DeviceIo& io, const std::string& devicePath);

// What the identification data says about an X5 watch: product identification characters
// 12 and 13 are "X5", the 14th is the model letter, and a non-zero fourth revision character
// means the watch has step data to give.
struct WatchIdentity {
    bool isX5 = false;
    char modelLetter = 0;
    bool collectFlag = false;
    // Vendor, product and revision as the identification data spells them (printable
    // characters only).
    std::string product;
};
WatchIdentity IdentifyWatch(const InquiryData& inquiry);

// The watch's vendor commands (opcode FE).
ConfigBlockRead ReadConfigBlock(DeviceIo& io, DeviceHandle handle);
int WriteConfigBlock(DeviceIo& io, DeviceHandle handle, std::span<const uint8_t, kConfigBlockSize> block);
int WriteConfigBlock(DeviceIo& io, char letter, std::span<const uint8_t, kConfigBlockSize> block);
DataPageRead ReadDataPage(DeviceIo& io, DeviceHandle handle, uint8_t page);
// Tells the watch that the data read so far has been taken.
int EndTransfer(DeviceIo& io, DeviceHandle handle);
// The next data block of a model X5E; the watch hands them out one after the other.
DataBlockRead ReadDataBlock(DeviceIo& io, DeviceHandle handle);

}  // namespace kiro
