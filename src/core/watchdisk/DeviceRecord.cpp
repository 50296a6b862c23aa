#include "core/watchdisk/DeviceRecord.h"

#include <algorithm>
#include <array>

namespace kiro {
namespace {

// How a count spreads over its minutes, as the collection has always spread it.
struct Shares {
    std::array<int, 5> minutes{};
    int count = 0;  // minutes the count covers: 2 or 5
};

Shares SharesOf(RecordPlace::Kind kind, int value) {
    Shares shares;
    if (kind == RecordPlace::Kind::Page) {
        shares.count = 2;
        shares.minutes = {value / 2, value / 2 + value % 2};
    } else {
        shares.count = 5;
        const int fifth = value / 5;
        shares.minutes = {fifth, fifth, fifth, fifth, fifth + value % 5};
    }
    return shares;
}

// What one count gives the tally; the running missions take a count whose first share passes
// the slight-move threshold.
StepTally TallyOf(const Shares& shares, int value, int slightMoving) {
    StepTally tally;
    tally.steps = value;
    for (int i = 0; i < shares.count; ++i) {
        if (shares.minutes[i] != 0) ++tally.period;
        if (shares.minutes[i] > slightMoving) ++tally.activeMinutes;
    }
    // A block counts all five minutes as a period once it holds any step.
    if (shares.count == 5) tally.period = value != 0 ? 5 : 0;
    if (shares.minutes[0] > slightMoving) tally.missionSteps = value;
    return tally;
}

StepTally Difference(const StepTally& larger, const StepTally& smaller) {
    const auto atLeastZero = [](int64_t v) { return std::max<int64_t>(v, 0); };
    return {atLeastZero(larger.steps - smaller.steps), atLeastZero(larger.period - smaller.period),
            atLeastZero(larger.missionSteps - smaller.missionSteps),
            atLeastZero(larger.activeMinutes - smaller.activeMinutes)};
}

DeviceRecord Head(const uint8_t* bytes, RecordPlace::Kind kind, int counts) {
    DeviceRecord record;
    record.place = {kind, 2000 + bytes[0], bytes[1], bytes[2], bytes[3]};
    record.counts.resize(static_cast<size_t>(counts));
    return record;
}

}  // namespace

bool IsEndOfData(const uint8_t* record) {
    return record[0] == 0 || record[1] == 0 || record[2] == 0 || record[3] >= 24;
}

std::optional<DeviceRecord> ParsePageRecord(const uint8_t* record) {
    if (IsEndOfData(record)) return std::nullopt;
    DeviceRecord parsed = Head(record, RecordPlace::Kind::Page, kPageRecordCounts);
    for (int j = 0; j < kPageRecordCounts; ++j)
        parsed.counts[j] = static_cast<uint16_t>(record[4 + 2 * j] << 8 | record[5 + 2 * j]);
    return parsed;
}

std::optional<DeviceRecord> ParseDataBlock(const uint8_t* block) {
    if (IsEndOfData(block)) return std::nullopt;
    DeviceRecord parsed = Head(block, RecordPlace::Kind::Block, kBlockCounts);
    for (int k = 0; k < kBlockCounts; ++k)
        parsed.counts[k] = static_cast<uint16_t>(block[4 + 2 * k] | block[5 + 2 * k] << 8);
    return parsed;
}

RecordOutcome AddDeviceRecord(const DeviceRecord& record, const std::vector<uint16_t>* stored,
                              MonthBatch& batch, int slightMoving, StepTally& tally) {
    const RecordPlace& place = record.place;
    if (place.month > 12 || place.day > 31) return RecordOutcome::Skipped;
    const bool page = place.kind == RecordPlace::Kind::Page;
    MonthBuffer& buffer = batch.Month(place.year, place.month);
    for (size_t i = 0; i < record.counts.size(); ++i) {
        const int before = stored && i < stored->size() ? (*stored)[i] : 0;
        const int after = std::max<int>(record.counts[i], before);
        if (after == before) continue;
        const int hour = page ? place.hour : place.hour + static_cast<int>(i) / 12;
        if (place.day == 31 && hour >= 24) break;  // past the end of the month file
        const int minute = page ? 2 * static_cast<int>(i) : 5 * (static_cast<int>(i) % 12);
        const int first = MonthBuffer::SlotIndex(place.day, hour, minute);
        const Shares was = SharesOf(place.kind, before);
        const Shares now = SharesOf(place.kind, after);
        for (int m = 0; m < now.count; ++m) {
            const int change = now.minutes[m] - was.minutes[m];
            if (change > 0) AddToSlotIndex(buffer, first + m, change);
            if (change < 0) batch.Remove(place.year, place.month, first + m, static_cast<uint32_t>(-change));
        }
        tally += Difference(TallyOf(now, after, slightMoving), TallyOf(was, before, slightMoving));
    }
    return RecordOutcome::Added;
}

}  // namespace kiro
