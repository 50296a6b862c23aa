// The four data pages a model C watch hands over (64-byte records), read as a collection reads
// them: up to the first end-of-data record. Input: the slight-move threshold (first byte,
// signed), then the pages; what is missing of 2048 bytes reads as zeros (end of data).
#include <array>
#include <cstdint>
#include <cstring>

#include "DeviceDataCheck.h"
#include "core/watchdisk/DayDataDecoders.h"

using namespace kiro;

namespace {
constexpr size_t kRecordBytes = 64;
constexpr size_t kPages = 4;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int slightMoving = static_cast<int8_t>(data[0]);
    std::array<uint8_t, kPages * kDevicePageBytes> pages{};
    std::memcpy(pages.data(), data + 1, std::min(size - 1, pages.size()));

    MonthBatch batch;
    StepTally tally;
    fuzz::DeviceDataCheck check;
    for (size_t offset = 0; offset < pages.size(); offset += kRecordBytes) {
        const uint8_t* record = pages.data() + offset;
        const bool end = IsEndOfData(record);
        const RecordOutcome outcome = AddPageRecord(record, batch, slightMoving, tally);
        fuzz::Require((outcome == RecordOutcome::EndOfData) == end, "the end of data is recognised");
        if (end) break;
        const int year = 2000 + record[0], month = record[1], day = record[2], hour = record[3];
        fuzz::Require((outcome == RecordOutcome::Skipped) == (month > 12 || day > 31),
                      "only records outside the calendar are skipped");
        if (outcome == RecordOutcome::Added) {
            const int first = MonthBuffer::SlotIndex(day, hour, 0);
            check.Allow(year, month, first, first + 60);
        }
    }
    check.Verify(batch, tally);
    return 0;
}
