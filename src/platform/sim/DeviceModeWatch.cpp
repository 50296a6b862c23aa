#include "platform/sim/DeviceModeWatch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/base/CalendarMath.h"

namespace kiro::sim {

namespace {

constexpr int kCheckCondition = 0x02;
constexpr uint8_t kInquiryOpcode = 0x12;
constexpr uint8_t kVendorOpcode = 0xFE;
constexpr size_t kInquirySize = 36;
constexpr size_t kConfigSize = 256;
constexpr size_t kPageSize = 512;
constexpr size_t kRecordSize = 64;
constexpr int kRecordsPerPage = 8;
// Page 14 carries the battery history in its second half, so only its first four records
// hold steps: 8 + 8 + 8 + 4 hours in all.
constexpr int kRecordCapacity = 28;
constexpr size_t kBatteryRingOffset = 256;
constexpr size_t kBatterySamplesOffset = 272;
constexpr size_t kLastBlockMarkerOffset = 292;
constexpr uint8_t kLastBlockMarker = 0x0F;
constexpr char kSignature[] = "KiroWatch X5C V1";
constexpr size_t kSignatureCompared = 12;  // "KiroWatch X5"; the model letter follows

int64_t HourNumber(int year, int month, int day, int hour) {
    return DaysFromCivil(year, month, day) * 24 + hour;
}

LocalTime TimeOfHour(int64_t hourNumber) {
    return FromSeconds(hourNumber * 3600);
}

// Year - 2000, month, day, hour: the head of a data page record and of a data block.
void PutDateHour(uint8_t* bytes, const LocalTime& time) {
    bytes[0] = static_cast<uint8_t>(time.year - 2000);
    bytes[1] = static_cast<uint8_t>(time.month);
    bytes[2] = static_cast<uint8_t>(time.day);
    bytes[3] = static_cast<uint8_t>(time.hour);
}

void PutTime(uint8_t* bytes, const LocalTime& time) {
    PutDateHour(bytes, time);
    bytes[4] = static_cast<uint8_t>(time.minute);
    bytes[5] = static_cast<uint8_t>(time.second);
}

std::optional<LocalTime> TakeTime(const uint8_t* bytes) {
    LocalTime time{2000 + bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], 0};
    if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > DaysInMonth(time.year, time.month) ||
        time.hour > 23 || time.minute > 59 || time.second > 59)
        return std::nullopt;
    return time;
}

uint16_t Saturated(int sum) {
    return static_cast<uint16_t>(std::min(sum, 65535));
}

// The settings of a watch fresh from the factory: 24-hour clock, no rate correction, middle
// speed, the default display effects, LED power hours 8 to 18, no picture, no message.
std::array<uint8_t, 256> FactorySettings() {
    std::array<uint8_t, 256> block{};
    block[30] = 0x24;
    block[32] = 4;
    const uint8_t effects[10] = {6, 0, 6, 9, 10, 4, 9, 0, 0, 0};
    std::copy(std::begin(effects), std::end(effects), block.begin() + 33);
    block[46] = 8;
    block[47] = 18;
    std::fill(block.begin() + 112, block.begin() + 152, 0xFF);
    return block;
}

bool Expects(const ScsiRequest& request, DataDirection direction, size_t length) {
    return request.direction == direction && request.length >= length && request.buffer != nullptr;
}

}  // namespace

DeviceModeWatch::DeviceModeWatch(const Clock& hostClock, DeviceWatchOptions options)
    : hostClock_(hostClock), options_(options), settings_(FactorySettings()) {
    hostSecondsAtSet_ = ToSeconds(hostClock_.Now());
    watchSecondsAtSet_ = hostSecondsAtSet_;
    // Four-day discharge cycles from full (234) to nearly empty, the newest reading in the
    // middle of the ring so that a reader has to wrap round.
    batteryRing_ = 137;
    for (int x = 0; x < kBatterySamples; ++x)
        battery_[(batteryRing_ + 1 + x) % kBatterySamples] = static_cast<uint8_t>(234 - (x % 96) * 30 / 95);
}

int DeviceModeWatch::Answer(const ScsiRequest& request) {
    const auto& cdb = request.commandBlock;
    if (cdb[0] == kInquiryOpcode) return AnswerInquiry(request);
    if (cdb[0] != kVendorOpcode) return -kCheckCondition;
    switch (cdb[1]) {
        case 0x00:
            return AnswerReadConfig(request);
        case 0x01:
            return AnswerWriteConfig(request);
        case 0x02:
            return AnswerReadPage(request);
        case 0x03:
            return AnswerEndTransfer();
        case 0x04:
            return AnswerReadBlock(request);
        default:
            return -kCheckCondition;
    }
}

void DeviceModeWatch::OnPluggedIn() {
    ++connection_;
    ForgetHandedOver();
}

void DeviceModeWatch::ForgetHandedOver() {
    recordsHandedOver_.reset();
    blocksHandedOver_ = 0;
}

void DeviceModeWatch::Record(const DaySteps& day) {
    if (day.year < 2000 || day.year > 2255) return;  // the year travels as one byte after 2000
    for (int hour = 0; hour < 24; ++hour) {
        halfDays_.reset();
        HourCounts& counts = hours_[HourNumber(day.year, day.month, day.day, hour)];
        for (int minute = 0; minute < 60; ++minute)
            counts[minute] = Saturated(counts[minute] + day.At(hour, minute));
    }
}

uint16_t DeviceModeWatch::RecordedAt(const LocalTime& minute) const {
    const auto hour = hours_.find(HourNumber(minute.year, minute.month, minute.day, minute.hour));
    return hour == hours_.end() ? 0 : hour->second[minute.minute];
}

LocalTime DeviceModeWatch::WatchTime() const {
    const int64_t elapsed = ToSeconds(hostClock_.Now()) - hostSecondsAtSet_;
    const double rate = options_.driftSecondsPerDay + static_cast<int8_t>(settings_[31]);
    const auto gained = static_cast<int64_t>(std::floor(static_cast<double>(elapsed) * rate / 86400.0));
    return FromSeconds(watchSecondsAtSet_ + elapsed + gained);
}

std::optional<LocalTime> DeviceModeWatch::LastClockSet() const {
    if (!everSet_) return std::nullopt;
    return FromSeconds(watchSecondsAtSet_);
}

std::array<uint8_t, 256> DeviceModeWatch::ConfigBlock() const {
    std::array<uint8_t, 256> block = settings_;
    std::fill(block.begin(), block.begin() + 30, 0);
    std::memcpy(block.data(), kSignature, 16);
    block[12] = static_cast<uint8_t>(options_.modelLetter);
    PutTime(block.data() + 16, WatchTime());
    if (const auto lastSet = LastClockSet()) PutTime(block.data() + 24, *lastSet);
    return block;
}

void DeviceModeWatch::SetBatteryHistory(const std::array<uint8_t, kBatterySamples>& samples,
                                        uint8_t ringPosition) {
    battery_ = samples;
    batteryRing_ = ringPosition;
}

int DeviceModeWatch::AnswerInquiry(const ScsiRequest& request) const {
    if (request.direction != DataDirection::FromDevice || request.buffer == nullptr) return -kCheckCondition;
    std::array<uint8_t, kInquirySize> answer{};
    answer[1] = 0x80;  // removable medium
    answer[2] = 0x02;
    answer[3] = 0x02;
    answer[4] = kInquirySize - 5;
    std::memcpy(answer.data() + 8, "KIRO    ", 8);
    std::memcpy(answer.data() + 16, "STEP WATCH X5?  ", 16);
    answer[29] = static_cast<uint8_t>(options_.modelLetter);
    std::memcpy(answer.data() + 32, "1.0", 3);
    answer[35] = options_.collectFlag ? '1' : 0;
    const size_t wanted = std::min<size_t>({kInquirySize, request.length, request.commandBlock[4]});
    std::memcpy(request.buffer, answer.data(), wanted);
    return 0;
}

int DeviceModeWatch::AnswerReadConfig(const ScsiRequest& request) const {
    if (!Expects(request, DataDirection::FromDevice, kConfigSize)) return -kCheckCondition;
    const auto block = ConfigBlock();
    std::memcpy(request.buffer, block.data(), kConfigSize);
    return 0;
}

int DeviceModeWatch::AnswerWriteConfig(const ScsiRequest& request) {
    if (!Expects(request, DataDirection::ToDevice, kConfigSize)) return -kCheckCondition;
    const uint8_t* block = request.buffer;
    const auto newTime = TakeTime(block + 16);
    // A block without the signature or with an impossible time is refused, not half applied.
    if (std::memcmp(block, kSignature, kSignatureCompared) != 0 || !newTime) return -kCheckCondition;
    std::copy(block, block + kConfigSize, settings_.begin());
    everSet_ = true;
    hostSecondsAtSet_ = ToSeconds(hostClock_.Now());
    watchSecondsAtSet_ = ToSeconds(*newTime);
    return 0;
}

int DeviceModeWatch::AnswerReadPage(const ScsiRequest& request) {
    if (!Expects(request, DataDirection::FromDevice, kPageSize)) return -kCheckCondition;
    const int page = request.commandBlock[4];
    if (page != 8 && page != 10 && page != 12 && page != 14) return -kCheckCondition;
    std::memset(request.buffer, 0, kPageSize);
    // The model X5E keeps its steps in data blocks; its pages carry no records.
    if (options_.modelLetter != 'E') {
        const int firstRecord = (page - 8) / 2 * kRecordsPerPage;
        FillPageRecords(firstRecord, page == 14 ? kRecordCapacity - firstRecord : kRecordsPerPage,
                        request.buffer);
    }
    if (page == 14) FillBatteryHistory(request.buffer);
    return 0;
}

void DeviceModeWatch::FillPageRecords(int firstRecord, int recordCount, uint8_t* page) {
    auto hour = hours_.begin();
    for (int skipped = 0; skipped < firstRecord && hour != hours_.end(); ++skipped) ++hour;
    for (int i = 0; i < recordCount && hour != hours_.end(); ++i, ++hour) {
        uint8_t* record = page + i * kRecordSize;
        PutDateHour(record, TimeOfHour(hour->first));
        for (int j = 0; j < 30; ++j) {
            // Two minutes share one count.
            const uint16_t count = Saturated(hour->second[2 * j] + hour->second[2 * j + 1]);
            record[4 + 2 * j] = static_cast<uint8_t>(count >> 8);
            record[5 + 2 * j] = static_cast<uint8_t>(count & 0xFF);
        }
        recordsHandedOver_.set(firstRecord + i);
    }
}

void DeviceModeWatch::FillBatteryHistory(uint8_t* page) const {
    // Bytes 257..271 stay zero: read as a record, byte 256 onwards is the end of the data.
    page[kBatteryRingOffset] = batteryRing_;
    std::copy(battery_.begin(), battery_.end(), page + kBatterySamplesOffset);
}

int DeviceModeWatch::AnswerEndTransfer() {
    std::vector<int64_t> forgotten;
    int index = 0;
    for (auto hour = hours_.begin(); hour != hours_.end() && index < kRecordCapacity; ++hour, ++index)
        if (recordsHandedOver_.test(index)) forgotten.push_back(hour->first);
    for (size_t block = 0; block < blocksHandedOver_; ++block) {
        const int64_t halfDay = *HalfDayOfBlock(block);
        for (int64_t h = halfDay * 12; h < halfDay * 12 + 12; ++h) forgotten.push_back(h);
    }
    for (int64_t hour : forgotten) hours_.erase(hour);
    halfDays_.reset();
    ForgetHandedOver();
    return 0;
}

std::optional<int64_t> DeviceModeWatch::HalfDayOfBlock(size_t index) const {
    // Listed once for all the blocks of a read: a watch answers each block in the same time.
    if (!halfDays_) {
        halfDays_.emplace();
        for (const auto& [hour, counts] : hours_)
            if (halfDays_->empty() || halfDays_->back() != hour / 12) halfDays_->push_back(hour / 12);
    }
    if (index >= halfDays_->size()) return std::nullopt;
    return (*halfDays_)[index];
}

int DeviceModeWatch::AnswerReadBlock(const ScsiRequest& request) {
    if (!Expects(request, DataDirection::FromDevice, kPageSize)) return -kCheckCondition;
    std::memset(request.buffer, 0, kPageSize);
    const auto halfDay = HalfDayOfBlock(blocksHandedOver_);
    if (!halfDay) return 0;  // all handed over: an empty block is the end of the data
    uint8_t* block = request.buffer;
    const int64_t firstHour = *halfDay * 12;
    PutDateHour(block, TimeOfHour(firstHour));
    for (int h = 0; h < 12; ++h) {
        const auto hour = hours_.find(firstHour + h);
        if (hour == hours_.end()) continue;  // its counts stay zero
        for (int five = 0; five < 12; ++five) {
            int sum = 0;
            for (int m = 5 * five; m < 5 * five + 5; ++m) sum += hour->second[m];
            const uint16_t count = Saturated(sum);
            const int k = 12 * h + five;
            block[4 + 2 * k] = static_cast<uint8_t>(count & 0xFF);
            block[5 + 2 * k] = static_cast<uint8_t>(count >> 8);
        }
    }
    ++blocksHandedOver_;
    if (!HalfDayOfBlock(blocksHandedOver_)) block[kLastBlockMarkerOffset] = kLastBlockMarker;
    return 0;
}

}  // namespace kiro::sim
