#include "core/watchdisk/Collector.h"

#include <filesystem>
#include <fstream>

#include "core/app/Format.h"
#include "core/watchconfig/ClockDifference.h"
#include "core/watchconfig/ClockFile.h"
#include "core/watchconfig/ConfigBlock.h"
#include "core/watchdisk/DayDataDecoders.h"
#include "core/watchdisk/MonthBatch.h"
#include "core/watchdisk/WatchCommands.h"
#include "core/watchdisk/WatchDiskFiles.h"
#include "core/watchdisk/WatchMarker.h"

namespace kiro {
namespace {

constexpr int kTextDataCollection = 21;
constexpr int kTextStartToCollect = 22;
constexpr int kTextCollectionError = 79;
constexpr int kTextClockReport = 88;
constexpr int kMaxBlocksPerPass = 99;

// The settings hold 32-bit integers; totals wrap as they always have.
int Wrap32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

}  // namespace

Collector::Collector(App& app, Volumes& volumes, DeviceIo& device, Host& host, FileAttributes& attributes)
    : app_(app),
      volumes_(volumes),
      device_(device),
      host_(host),
      attributes_(attributes),
      journal_(app.Paths().Folder() + "/ImportJournal.txt") {}

void Collector::CollectFromWatch() {
    WatchConnection& watch = app_.watch;
    if (watch.busyDrive == watch.currentDrive) return;
    const char drive = watch.currentDrive;

    host_.SetDiskLabelLargeFont();
    host_.SetDiskLabel(drive == kDevicePathDrive ? Format("%s", app_.GetLangText(0))
                                                 : Format("%s (%c:)", app_.GetLangText(0), drive));
    watch.busyDrive = drive;

    const bool hasData = !watch.deviceMode || watch.collectFlag;
    const bool confirmed =
        hasData && (app_.Config().Values().autoConfirm != 0 ||
                    host_.AskYesNo(app_.GetLangText(kTextDataCollection),
                                   FormatText(app_.GetLangText(kTextStartToCollect), drive)));
    if (confirmed) {
        host_.SetStatusText(Format(" Collecting data from Disk-%c:", drive));
        host_.PumpMessages();
        if (watch.deviceMode && watch.modelLetter == 'E')
            ReadDeviceBlocksE(watch.handle);
        else if (watch.deviceMode)
            ReadDevicePagesC(watch.handle);
        else
            CollectDayFiles(drive);
        app_.Store().MarkChanged();
        host_.NotifyDataChanged();
        host_.SetStatusText(Format(" >>> Collecting %c: Complete <<<", drive));
        host_.PumpMessages();
    }

    ReadSettingsBack();
    app_.watch.busyDrive = kNoDrive;
    host_.NotifyDataChanged();
}

std::string Collector::ChooseBackupPath(const std::string& name) const {
    const std::string folder = app_.Paths().BackupFolder();
    for (int n = 1; n <= 99; ++n) {
        const std::string path = Format("%s/%s-%03d", folder.c_str(), name.c_str(), n);
        if (!std::ifstream(path)) return path;
    }
    return Format("%s/%s-%03d", folder.c_str(), name.c_str(), 99);
}

int Collector::CollectDayFiles(char letter) {
    const std::string root = volumes_.RootOf(letter);
    int taken = 0;
    // Text files first, then binary files.
    for (const auto& [extension, kind] : {std::pair{".txt", DayFileKind::Text}, std::pair{".KRO", DayFileKind::Binary}}) {
        for (const std::string& name : ListRootFiles(root, extension)) {
            const auto date = ParseDayFileName(name);
            if (!date) continue;
            if (StoreDayFile(root + "/" + name, name, kind, date->year, date->month, date->day)) ++taken;
        }
    }
    return taken;
}

bool Collector::StoreDayFile(const std::string& watchPath, const std::string& name, DayFileKind kind, int year,
                             int month, int day) {
    std::error_code error;
    std::filesystem::create_directories(app_.Paths().BackupFolder(), error);
    const std::string backup = ChooseBackupPath(name);
    std::filesystem::copy_file(watchPath, backup, std::filesystem::copy_options::overwrite_existing, error);
    std::string content;
    if (error || !ReadWholeFile(backup, content)) {
        ShowCollectionError();
        return false;
    }

    const ImportJournal::Entry entry = ImportJournal::Describe(name, content);
    const bool storedBefore = journal_.Contains(entry);
    if (!storedBefore) {
        LoadedMonth loaded = app_.Store().LoadMonth(year, month);
        const int slightMoving = app_.Config().Values().slightMoving;
        StepTally tally;
        bool decoded = true;
        if (kind == DayFileKind::Text)
            tally = AddTextDayFile(content, day, loaded.buffer, slightMoving);
        else
            decoded = AddBinaryDayFile(content, day, loaded.buffer, slightMoving, tally);
        // A file that cannot be decoded or a month that cannot be written leaves the day file
        // on the watch and the totals as they were, for the next pass.
        if (!decoded || !app_.Store().SaveMonth(year, month, loaded.buffer)) {
            ShowCollectionError();
            return false;
        }
        journal_.Add(entry);
        CommitTally(tally);
    }

    std::filesystem::remove(watchPath, error);
    if (error || std::filesystem::exists(watchPath)) {
        host_.SetStatusText(Format(" ### Cannot delete %s ###", name.c_str()));
        host_.PumpMessages();
    }
    return !storedBefore;
}

void Collector::ReadDevicePagesC(DeviceHandle handle) {
    MonthBatch batch(app_.Store());
    StepTally tally;
    const int slightMoving = app_.Config().Values().slightMoving;
    bool end = false;
    for (uint8_t page : {8, 10, 12, 14}) {
        host_.PumpMessages();
        const DataPageRead read = ReadDataPage(device_, handle, page);
        if (!read.Succeeded()) ReportReadFailure(read.result);
        for (int record = 0; record < 8 && !end; ++record) {
            host_.PumpMessages();
            end = AddPageRecord(read.data.data() + record * 64, batch, slightMoving, tally) == RecordOutcome::EndOfData;
        }
        if (end) break;
    }
    host_.PumpMessages();
    FinishDeviceRead(batch, tally, handle);
    host_.PumpMessages();
}

void Collector::ReadDeviceBlocksE(DeviceHandle handle) {
    MonthBatch batch(app_.Store());
    StepTally tally;
    const int slightMoving = app_.Config().Values().slightMoving;
    for (int count = 1;; ++count) {
        if (count > kMaxBlocksPerPass) {
            host_.ShowMessage("X5E Data Capture Error", app_.GetLangText(kTextDataCollection));
            return;
        }
        host_.PumpMessages();
        const DataBlockRead read = ReadDataBlock(device_, handle);
        if (!read.Succeeded()) ReportReadFailure(read.result);
        if (AddDataBlock(read.data.data(), batch, slightMoving, tally) == RecordOutcome::EndOfData) break;
        if (IsLastDataBlock(read.data.data())) break;
    }
    host_.PumpMessages();
    FinishDeviceRead(batch, tally, handle);
    host_.PumpMessages();
}

void Collector::FinishDeviceRead(const MonthBatch& batch, const StepTally& tally, DeviceHandle handle) {
    if (!batch.SaveAll()) {
        // Without the end of the transfer the watch keeps everything for the next connection.
        app_.watch.transferHeldBack = true;
        ShowCollectionError();
        return;
    }
    if (!app_.watch.transferHeldBack) EndTransfer(device_, handle);
    CommitTally(tally);
}

void Collector::CommitTally(const StepTally& tally) {
    Settings& settings = app_.Config();
    const SettingsValues& v = settings.Values();
    settings.SetTotals(Wrap32(v.totalSteps + tally.steps), Wrap32(v.totalPeriod + tally.period));
    for (MissionId id : {MissionId::A, MissionId::B}) {
        const MissionSettings& mission = v.Mission(id);
        if (mission.status == 0) continue;
        settings.SetMissionProgress(id, Wrap32(mission.curSteps + tally.missionSteps),
                                    Wrap32(mission.curPeriodM + tally.activeMinutes));
    }
}

void Collector::ShowCollectionError() {
    host_.ShowMessage(app_.GetLangText(kTextCollectionError), app_.GetLangText(kTextDataCollection));
}

void Collector::ReportReadFailure(int result) {
    host_.SetStatusText(Format(" ### Watch read failed (%d) ###", result));
    host_.PumpMessages();
}

void Collector::ReadSettingsBack() {
    const WatchConnection& watch = app_.watch;
    if (!watch.deviceMode) {
        if (watch.currentDrive != kNoDrive) EnsureMarkerFile(volumes_.RootOf(watch.currentDrive), attributes_);
        ReadClockFile(watch.currentDrive);
        return;
    }
    ShowClockReport();
}

void Collector::ReadClockFile(char letter) {
    app_.watchSettings.ResetDisplay();
    if (letter != kNoDrive) ReadClockFileAt(volumes_.RootOf(letter), app_.watchSettings);
}

void Collector::ShowClockReport() {
    const WatchConnection& watch = app_.watch;
    const ConfigBlockRead read = ReadConfigBlock(device_, watch.handle);
    if (!ParseConfigBlock(read.data, ConfigReadBack::Collection, app_.watchSettings)) return;
    const ClockDifference difference = ComputeClockDifference(read.data, app_.SystemClock().Now());
    app_.watchSettings.tAdj = difference.newTAdj;
    host_.ShowMessage(FormatText(app_.GetLangText(kTextClockReport), watch.currentDrive, watch.modelLetter,
                                 difference.lastUpdateText.c_str(), difference.currentTimeText.c_str(),
                                 difference.watchTimeText.c_str(), difference.differenceText.c_str()),
                      app_.GetLangText(kTextDataCollection));
}

}  // namespace kiro
