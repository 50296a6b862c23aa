#include "core/watch/WatchCommands.h"

#include <algorithm>

namespace kiro {

namespace {

constexpr uint32_t kCommandTimeoutSeconds = 3;
// Reading a block makes the watch gather twelve hours of counts first.
constexpr uint32_t kDataBlockTimeoutSeconds = 10;

constexpr uint8_t kVendorOpcode = 0xFE;
constexpr std::array<uint8_t, 5> kInquiryCommand = {0x12, 0x00, 0x00, 0x00, 0x24};
constexpr std::array<uint8_t, 2> kReadConfigCommand = {kVendorOpcode, 0x00};
constexpr std::array<uint8_t, 2> kWriteConfigCommand = {kVendorOpcode, 0x01};
constexpr std::array<uint8_t, 2> kEndTransferCommand = {kVendorOpcode, 0x03};
constexpr std::array<uint8_t, 2> kReadBlockCommand = {kVendorOpcode, 0x04};

// A failed command may have left part of an answer in the buffer; it must not pass for data.
template <size_t N>
DeviceRead<N> Finished(DeviceRead<N> read) {
    if (!read.Succeeded()) read.data.fill(0);
    return read;
}

template <size_t N, typename Target>
DeviceRead<N> ReadFrom(DeviceIo& io, Target target, std::span<const uint8_t> commandBlock, uint32_t length,
                       uint32_t timeoutSeconds) {
    DeviceRead<N> read;
    read.result = ScsiPassThrough(io, target, commandBlock, false, read.data.data(), length, timeoutSeconds);
    return Finished(read);
}

template <typename Target>
int WriteBlock(DeviceIo& io, Target target, std::span<const uint8_t, kConfigBlockSize> block) {
    std::array<uint8_t, kConfigBlockSize> copy{};
    std::copy(block.begin(), block.end(), copy.begin());
    return ScsiPassThrough(io, target, kWriteConfigCommand, true, copy.data(), kConfigBlockSize,
                           kCommandTimeoutSeconds);
}

}  // namespace

InquiryData Inquiry(DeviceIo& io, char letter) {
    return ReadFrom<kInquiryLength>(io, letter, kInquiryCommand, kInquiryLength, kCommandTimeoutSeconds);
}

InquiryData Inquiry(DeviceIo& io, const std::string& devicePath) {
    return ReadFrom<kInquiryLength>(io, devicePath, kInquiryCommand, kInquiryLength, kCommandTimeoutSeconds);
}

WatchIdentity IdentifyWatch(const InquiryData& inquiry) {
    WatchIdentity identity;
    identity.isX5 = inquiry.data[27] == 'X' && inquiry.data[28] == '5';
    if (!identity.isX5) return identity;
    identity.modelLetter = static_cast<char>(inquiry.data[29]);
    identity.collectFlag = inquiry.data[35] != 0;
    for (size_t at = 8; at < 36; ++at)
        if (inquiry.data[at] >= 0x20 && inquiry.data[at] < 0x7F)
            identity.product += static_cast<char>(inquiry.data[at]);
    return identity;
}

ConfigBlockRead ReadConfigBlock(DeviceIo& io, DeviceHandle handle) {
    return ReadFrom<kConfigBlockSize>(io, handle, kReadConfigCommand, kConfigBlockSize,
                                      kCommandTimeoutSeconds);
}

int WriteConfigBlock(DeviceIo& io, DeviceHandle handle, std::span<const uint8_t, kConfigBlockSize> block) {
    return WriteBlock(io, handle, block);
}

int WriteConfigBlock(DeviceIo& io, char letter, std::span<const uint8_t, kConfigBlockSize> block) {
    return WriteBlock(io, letter, block);
}

DataPageRead ReadDataPage(DeviceIo& io, DeviceHandle handle, uint8_t page) {
    const std::array<uint8_t, 6> command = {kVendorOpcode, 0x02, 0x00, 0x00, page, 0x00};
    return ReadFrom<kDataPageSize>(io, handle, command, kDataPageSize, kCommandTimeoutSeconds);
}

int EndTransfer(DeviceIo& io, DeviceHandle handle) {
    return ScsiPassThrough(io, handle, kEndTransferCommand, false, nullptr, 0, kCommandTimeoutSeconds);
}

DataBlockRead ReadDataBlock(DeviceIo& io, DeviceHandle handle) {
    return ReadFrom<kDataBlockSize>(io, handle, kReadBlockCommand, kDataBlockSize, kDataBlockTimeoutSeconds);
}

}  // namespace kiro
