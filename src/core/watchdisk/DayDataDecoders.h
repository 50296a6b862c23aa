#pragma once
#include <cstdint>
#include <string>

#include "core/store/MonthBatch.h"
#include "core/store/MonthStore.h"
#include "core/store/StepTally.h"
#include "core/watchdisk/DeviceRecord.h"

namespace kiro {

inline constexpr int kKroFileBytes = 3072;
inline constexpr int kDevicePageBytes = 512;
inline constexpr int kDeviceBlockBytes = 512;

// A text day file: lines "h1:m1~h2:m2 n", n steps from h1:m1 up to and including h2:m2 of the
// day, spread evenly with the remainder given one by one from the start. Lines that do not
// parse, lie outside the day or end before they start store nothing and count nothing; numbers
// beyond the int range count as its largest value.
StepTally AddTextDayFile(const std::string& content, int day, MonthBuffer& month, int slightMoving);

// A binary day file: 24 hours of 60 big-endian minute counts in 512-byte blocks of four hours.
// Returns false, adding nothing, when the content is shorter than 3072 bytes.
bool AddBinaryDayFile(const std::string& content, int day, MonthBuffer& month, int slightMoving,
                      StepTally& tally);

// One 64-byte record of a data page: date and hour, then 30 big-endian counts of two minutes
// each, all of it new.
RecordOutcome AddPageRecord(const uint8_t* record, MonthBatch& batch, int slightMoving, StepTally& tally);

// One 512-byte data block of model E: date and hour, then 144 little-endian counts of five
// minutes each covering 12 hours, all of it new.
RecordOutcome AddDataBlock(const uint8_t* block, MonthBatch& batch, int slightMoving, StepTally& tally);

inline bool IsLastDataBlock(const uint8_t* block) {
    return block[292] == 0x0F;
}

}  // namespace kiro
