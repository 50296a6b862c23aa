// The 256-byte configuration block a device-mode watch hands back, read as a collection or a
// clock check reads it, and the clock difference worked out from it. A block read, built again
// from what was read and read once more must give the same settings. Input: the block (first
// 256 bytes, zeros when shorter), then one byte choosing the reader.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "FuzzCheck.h"
#include "core/watch/ClockDifference.h"
#include "core/watch/ConfigBlock.h"
#include "core/watchconfig/PersonalPicture.h"
#include "platform/sim/FakeClock.h"

using namespace kiro;

namespace {

constexpr LocalTime kNow{2014, 5, 5, 10, 0, 0, 1};

bool SameDisplay(const WatchSettings& a, const WatchSettings& b) {
    return a.hMod == b.hMod && a.sped == b.sped && a.tAdj == b.tAdj && a.disp == b.disp && a.uStr == b.uStr &&
           PictureFromBytes(a.uPic.data(), kPictureBytes) == PictureFromBytes(b.uPic.data(), kPictureBytes);
}

bool SameAlarm(const WatchSettings& a, const WatchSettings& b) {
    // An alarm that is off carries no "every day" flag into a block.
    return a.ledPower == b.ledPower && a.ledFromHour == b.ledFromHour && a.ledToHour == b.ledToHour &&
           a.alarmEnabled == b.alarmEnabled && (!a.alarmEnabled || a.alarmEveryDay == b.alarmEveryDay) &&
           a.alarmHour == b.alarmHour && a.alarmMinute == b.alarmMinute &&
           a.stepRecorder24h == b.stepRecorder24h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ConfigBlock block{};
    std::memcpy(block.data(), data, std::min(size, block.size()));
    const bool collection = size <= block.size() || data[block.size()] % 2 == 0;
    const ConfigReadBack reader = collection ? ConfigReadBack::Collection : ConfigReadBack::ClockCheck;

    WatchSettings first;
    const bool hasSignature = ParseConfigBlock(block, reader, first);
    fuzz::Require(hasSignature == HasConfigSignature(block), "only a block with the signature is read");
    fuzz::Require(first.uStr.size() <= static_cast<size_t>(kMessageLength), "the message is at most 36");

    const ClockDifference difference = ComputeClockDifference(block, kNow, sim::FakeClock());
    fuzz::Require(difference.newTAdj >= -99 && difference.newTAdj <= 99, "the new correction is -99..99");
    if (!hasSignature) return 0;
    for (int d : first.disp) fuzz::Require(d >= 0 && d <= 9, "Disp values read are 0..9");

    const ConfigBlock rebuilt = BuildConfigBlock(first, static_cast<char>(block[12]), kNow, collection);
    fuzz::Require(HasConfigSignature(rebuilt), "a built block carries the signature");
    WatchSettings second;
    ParseConfigBlock(rebuilt, reader, second);
    fuzz::Require(SameDisplay(first, second), "the display settings read back as they were built");
    if (collection) fuzz::Require(SameAlarm(first, second), "the alarm and LED settings read back");
    return 0;
}
