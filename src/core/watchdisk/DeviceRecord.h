#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/store/MonthBatch.h"
#include "core/store/StepTally.h"

namespace kiro {

// Where a device record belongs: a data page record holds one hour, a data block half a day
// from its hour on. A watch that hands the same place over again (a read it was never told was
// taken, with more steps recorded since) sends it under the same place.
struct RecordPlace {
    enum class Kind : char { Page = 'p', Block = 'b' };
    Kind kind = Kind::Page;
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;

    auto operator<=>(const RecordPlace&) const = default;
};

// One record of a device read: its place and its counts, 30 of two minutes each (page) or 144
// of five minutes each (block).
struct DeviceRecord {
    RecordPlace place;
    std::vector<uint16_t> counts;
};

inline constexpr int kPageRecordCounts = 30;
inline constexpr int kBlockCounts = 144;

// A data page record or data block whose year, month or day is 0 or whose hour is 24 or more
// marks the end of the device's data.
bool IsEndOfData(const uint8_t* record);

// The 64-byte record of a data page (big-endian counts), and a 512-byte data block of model E
// (little-endian counts); nothing at the end of the data.
std::optional<DeviceRecord> ParsePageRecord(const uint8_t* record);
std::optional<DeviceRecord> ParseDataBlock(const uint8_t* block);

enum class RecordOutcome { Added, Skipped, EndOfData };

// Adds to the batch what a record holds beyond `stored`, the counts of the same place that an
// earlier read stored already (none: all zero). Each count spreads over its minutes as the
// collection always spreads it (two minutes: half and half, the odd step to the second; five
// minutes: a fifth each, the rest to the fifth), so that the minutes end up as one read of the
// larger counts would have left them; a count smaller than the one stored adds nothing. The
// tally counts the steps, minutes and mission steps by the same difference. A record outside
// the calendar (day above 31, month above 12) is skipped; hours past the end of day 31 are not
// stored.
RecordOutcome AddDeviceRecord(const DeviceRecord& record, const std::vector<uint16_t>* stored,
                              MonthBatch& batch, int slightMoving, StepTally& tally);

}  // namespace kiro
