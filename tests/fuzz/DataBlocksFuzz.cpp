// The 512-byte data blocks a model E watch hands over, read as a collection reads them: up to an
// end-of-data block or the block marked last. Input: the slight-move threshold (first byte,
// signed), then the blocks; a short last block is filled with zeros.
#include <array>
#include <cstdint>
#include <cstring>

#include "DeviceDataCheck.h"
#include "core/watchdisk/DayDataDecoders.h"

using namespace kiro;

namespace {
// Twelve hours of five-minute counts.
constexpr int kBlockMinutes = 12 * 60;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int slightMoving = static_cast<int8_t>(data[0]);

    MonthBatch batch;
    StepTally tally;
    fuzz::DeviceDataCheck check;
    for (size_t at = 1; at < size; at += kDeviceBlockBytes) {
        std::array<uint8_t, kDeviceBlockBytes> block{};
        std::memcpy(block.data(), data + at, std::min<size_t>(size - at, block.size()));
        const bool end = IsEndOfData(block.data());
        const RecordOutcome outcome = AddDataBlock(block.data(), batch, slightMoving, tally);
        fuzz::Require((outcome == RecordOutcome::EndOfData) == end, "the end of data is recognised");
        if (end) break;
        const int year = 2000 + block[0], month = block[1], day = block[2], hour = block[3];
        fuzz::Require((outcome == RecordOutcome::Skipped) == (month > 12 || day > 31),
                      "only blocks outside the calendar are skipped");
        if (outcome == RecordOutcome::Added) {
            // Hours past midnight go on into the next day's slots; nothing past the month file.
            const int first = MonthBuffer::SlotIndex(day, hour, 0);
            check.Allow(year, month, first, std::min(first + kBlockMinutes, kSlotsPerMonth));
        }
        if (IsLastDataBlock(block.data())) break;
    }
    check.Verify(batch, tally);
    return 0;
}
