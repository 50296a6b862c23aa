#include "core/watchdisk/DayDataDecoders.h"

#include "core/base/Numbers.h"
#include "core/base/TextChunks.h"

namespace kiro {
namespace {

// Adds an amount to one minute and counts it as an active minute when it passes the threshold.
void AddMinute(MonthBuffer& month, int slot, int amount, int slightMoving, StepTally& tally) {
    AddToSlotIndex(month, slot, amount);
    if (amount > slightMoving) ++tally.activeMinutes;
}

// "%d:%d~%d:%d %d" as scanf reads it: fields that do not match leave the times at -1 and the
// steps at 0, and numbers beyond the int range stop at its ends instead of wrapping.
struct PeriodLine {
    int h1 = -1, m1 = -1, h2 = -1, m2 = -1, steps = 0;
};

PeriodLine ParsePeriodLine(std::string_view line) {
    PeriodLine parsed;
    size_t pos = 0;
    const auto literal = [&](char c) {
        if (pos >= line.size() || line[pos] != c) return false;
        ++pos;
        return true;
    };
    if (ReadDecimal(line, pos, parsed.h1) && literal(':') && ReadDecimal(line, pos, parsed.m1) &&
        literal('~') && ReadDecimal(line, pos, parsed.h2) && literal(':') &&
        ReadDecimal(line, pos, parsed.m2))
        ReadDecimal(line, pos, parsed.steps);
    return parsed;
}

}  // namespace

StepTally AddTextDayFile(const std::string& content, int day, MonthBuffer& month, int slightMoving) {
    StepTally tally;
    for (const TextChunk& chunk : SplitTextChunks(content, 80)) {
        if (chunk.reachedEnd) break;  // a last line without a line break is not used
        const auto [h1, m1, h2, m2, n] = ParsePeriodLine(chunk.text);
        if (h1 < 0 || h1 > 23 || h2 < 0 || h2 > 23 || m1 < 0 || m1 > 59 || m2 < 0 || m2 > 59 || n <= 0)
            continue;
        const int start = (day - 1) * kMinutesPerDay + h1 * 60 + m1;
        const int end = (day - 1) * kMinutesPerDay + h2 * 60 + m2 + 1;
        // A period that ends before it starts (one that would run past midnight) has no
        // minutes to hold its steps: it stores and counts nothing.
        if (start >= end) continue;
        const int minutes = end - start;
        const int each = n / minutes;
        int rest = n - each * minutes;
        for (int slot = start; slot < end; ++slot) {
            const int amount = each + (rest > 0 ? 1 : 0);
            if (rest > 0) --rest;
            AddMinute(month, slot, amount, slightMoving, tally);
        }
        tally.steps += n;
        tally.period += minutes;
        tally.missionSteps += n;
    }
    return tally;
}

bool AddBinaryDayFile(const std::string& content, int day, MonthBuffer& month, int slightMoving,
                      StepTally& tally) {
    if (content.size() < static_cast<size_t>(kKroFileBytes)) return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(content.data());
    for (int hour = 0; hour < 24; ++hour) {
        const uint8_t* counts = bytes + (hour / 4) * 512 + (hour % 4) * 120;
        for (int minute = 0; minute < 60; ++minute) {
            const int v = counts[2 * minute] << 8 | counts[2 * minute + 1];
            AddMinute(month, MonthBuffer::SlotIndex(day, hour, minute), v, slightMoving, tally);
            tally.steps += v;
            tally.missionSteps += v;
            if (v != 0) ++tally.period;
        }
    }
    return true;
}

RecordOutcome AddPageRecord(const uint8_t* record, MonthBatch& batch, int slightMoving, StepTally& tally) {
    const auto parsed = ParsePageRecord(record);
    return parsed ? AddDeviceRecord(*parsed, nullptr, batch, slightMoving, tally) : RecordOutcome::EndOfData;
}

RecordOutcome AddDataBlock(const uint8_t* block, MonthBatch& batch, int slightMoving, StepTally& tally) {
    const auto parsed = ParseDataBlock(block);
    return parsed ? AddDeviceRecord(*parsed, nullptr, batch, slightMoving, tally) : RecordOutcome::EndOfData;
}

}  // namespace kiro
