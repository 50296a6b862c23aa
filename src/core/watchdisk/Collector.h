#pragma once
#include <string>

#include "core/app/App.h"
#include "core/system/DeviceIo.h"
#include "core/system/FileAttributes.h"
#include "core/system/Host.h"
#include "core/system/Volumes.h"
#include "core/watchdisk/ImportJournal.h"
#include "core/watchdisk/MonthBatch.h"
#include "core/watchdisk/StepTally.h"

namespace kiro {

// One collection pass: moves the steps the current watch recorded into the monthly store,
// advances the totals and the running missions, keeps a backup copy of every day file, then
// reads the watch's settings back.
class Collector {
public:
    Collector(App& app, Volumes& volumes, DeviceIo& device, Host& host, FileAttributes& attributes);

    // A pass over the current watch. Returns at once when a pass of the same drive is already
    // running (events are let through in the middle of a pass).
    void CollectFromWatch();

    // The three sources.
    int CollectDayFiles(char letter);
    void ReadDevicePagesC(DeviceHandle handle);
    void ReadDeviceBlocksE(DeviceHandle handle);

    // The settings read back at the end of a pass (CLOCK.TXT or the configuration block).
    void ReadSettingsBack();

private:
    enum class DayFileKind { Text, Binary };
    bool StoreDayFile(const std::string& watchPath, const std::string& name, DayFileKind kind, int year, int month,
                      int day);
    std::string ChooseBackupPath(const std::string& name) const;
    // Adds a stored source's counts to the totals and running missions, and writes them.
    void CommitTally(const StepTally& tally);
    void ShowCollectionError();
    // Stores a device read whole and only then lets the watch forget it.
    void FinishDeviceRead(const MonthBatch& batch, const StepTally& tally, DeviceHandle handle);
    void ReportReadFailure(int result);
    void ReadClockFile(char letter);
    void ShowClockReport();

    App& app_;
    Volumes& volumes_;
    DeviceIo& device_;
    Host& host_;
    FileAttributes& attributes_;
    ImportJournal journal_;
};

}  // namespace kiro
