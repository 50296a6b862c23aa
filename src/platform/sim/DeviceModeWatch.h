#pragma once
#include <array>
#include <bitset>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/system/Clock.h"
#include "core/system/DeviceIo.h"
#include "platform/sim/DaySteps.h"

namespace kiro::sim {

inline constexpr int kBatterySamples = 240;

struct DeviceWatchOptions {
    char modelLetter = 'C';  // 'E' is the model X5E that hands out data blocks instead of pages
    bool collectFlag = true;
    // How many seconds a day the watch's clock gains (negative: loses) before its own rate
    // correction, the signed byte 31 of its settings, is added.
    double driftSecondsPerDay = 0;
};

// A device-mode X5 watch as the PC sees it through SCSI commands: INQUIRY, its configuration
// block with a drifting clock (FE 00, FE 01), data pages (FE 02) or data blocks (FE 04) of the
// steps it has recorded, and FE 03, after which it forgets the data it has handed over.
// Data not yet handed over stays for the next collection.
class DeviceModeWatch {
  public:
    explicit DeviceModeWatch(const Clock& hostClock, DeviceWatchOptions options = {});

    // Answers one command: 0 for good status, else the negated SCSI status.
    int Answer(const ScsiRequest& request);
    // Being plugged in starts a new connection: data handed over in an earlier one without
    // FE 03 is handed over again.
    void OnPluggedIn();
    // Which connection it is in: 1 for the first, one more at every plugging in.
    uint64_t Connection() const { return connection_; }
    // The serial number its USB side reports; empty for none.
    const std::string& Serial() const { return serial_; }
    void SetSerial(std::string serial) { serial_ = std::move(serial); }

    // Adds a day's steps to the watch's memory, every hour of it, as the watch records them.
    void Record(const DaySteps& day);
    size_t RecordedHours() const { return hours_.size(); }
    // The steps of one recorded minute; 0 for a minute the watch does not hold.
    uint16_t RecordedAt(const LocalTime& minute) const;

    LocalTime WatchTime() const;
    std::optional<LocalTime> LastClockSet() const;
    // The answer to FE 00.
    std::array<uint8_t, 256> ConfigBlock() const;
    // Hourly battery readings, ringPosition the newest; the watch starts with a plausible history.
    void SetBatteryHistory(const std::array<uint8_t, kBatterySamples>& samples, uint8_t ringPosition);
    const DeviceWatchOptions& Options() const { return options_; }

    // The whole state in a text file, so that a watch outlives the program run that made it:
    // also the connection it is in and what that connection has handed over, so that a watch that
    // stays plugged in between two runs stays in its connection.
    bool SaveState(const std::string& path) const;
    // Replaces the state with a saved one; false (and nothing changed) when the file is not one.
    bool LoadState(const std::string& path);

  private:
    using HourCounts = std::array<uint16_t, 60>;
    int AnswerInquiry(const ScsiRequest& request) const;
    int AnswerReadConfig(const ScsiRequest& request) const;
    int AnswerWriteConfig(const ScsiRequest& request);
    int AnswerReadPage(const ScsiRequest& request);
    int AnswerEndTransfer();
    int AnswerReadBlock(const ScsiRequest& request);
    void FillPageRecords(int firstRecord, int recordCount, uint8_t* page);
    void FillBatteryHistory(uint8_t* page) const;
    // Everything of this connection counts as not handed over.
    void ForgetHandedOver();
    std::optional<int64_t> HalfDayOfBlock(size_t index) const;

    const Clock& hostClock_;
    DeviceWatchOptions options_;
    // Recorded hours by hour number since 1970-01-01 00:00, in time order.
    std::map<int64_t, HourCounts> hours_;
    // The half-days the recorded hours fall in, in order: the blocks' order. Made when first
    // needed after the hours changed.
    mutable std::optional<std::vector<int64_t>> halfDays_;
    // Bytes 30..255 of the configuration block: the settings last written.
    std::array<uint8_t, 256> settings_{};
    bool everSet_ = false;
    int64_t hostSecondsAtSet_ = 0;
    int64_t watchSecondsAtSet_ = 0;
    std::array<uint8_t, kBatterySamples> battery_{};
    uint8_t batteryRing_ = 0;
    std::string serial_;
    uint64_t connection_ = 0;
    // What the current connection has handed over: page records by index, and blocks.
    std::bitset<32> recordsHandedOver_;
    size_t blocksHandedOver_ = 0;
};

}  // namespace kiro::sim
