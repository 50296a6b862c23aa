#include "core/watchdisk/Collector.h"

#include <set>

#include "core/app/Format.h"
#include "core/app/StatusTexts.h"
#include "core/watchconfig/ClockDifference.h"
#include "core/watchconfig/ClockFile.h"
#include "core/watchconfig/ConfigBlock.h"
#include "core/watchdisk/DayDataDecoders.h"
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
constexpr int kMaxBackups = 99;
constexpr const char* kCaptureError = "X5E Data Capture Error";
// A data block's counts end before its last-block mark, which is not part of its data.
constexpr size_t kBlockDataBytes = 292;
constexpr size_t kPageRecordBytes = 64;

// Notes one device record of the read and tells whether it is new: a record that the journal
// holds was stored by a read whose end the watch never heard of.
bool IsNewRecord(const uint8_t* record, size_t size, const ImportJournal& journal,
                 CollectedSteps& collected) {
    const uint64_t key =
        ImportJournal::RecordKey(std::string_view(reinterpret_cast<const char*>(record), size));
    collected.deviceRecords->push_back(key);
    return !journal.HasDeviceRecord(key);
}

}  // namespace

// The day files of one pass: what they add, and which leave the watch once it is stored.
struct Collector::DayFilePlan {
    CollectedSteps collected;
    std::set<std::string> backupNames;      // what the backup folder holds
    std::vector<std::string> storedBefore;  // in the journal already: they only leave the watch
    std::vector<std::string> storedNow;     // stored by this pass's commit
};

Collector::Collector(App& app, Volumes& volumes, DeviceIo& device, Host& host, FileAttributes& attributes)
    : app_(app), volumes_(volumes), device_(device), host_(host), attributes_(attributes) {}

void Collector::CollectFromWatch() {
    WatchConnection& watch = app_.watch;
    if (watch.busyDrive == watch.currentDrive) return;
    const char drive = watch.currentDrive;

    host_.SetDiskLabelLargeFont();
    host_.SetDiskLabel(drive == kDevicePathDrive ? Format("%s", app_.GetLangText(0))
                                                 : Format("%s (%c:)", app_.GetLangText(0), drive));
    watch.busyDrive = drive;
    pass_ = {};

    const bool refused = watch.deviceMode && watch.ReadRefused();
    if (refused) ReportProblem(app_.GetLangText(kTextPlugInAgain));
    const bool hasData = !refused && (!watch.deviceMode || watch.collectFlag);
    const bool confirmed =
        hasData && (app_.Config().Values().autoConfirm != 0 ||
                    host_.AskYesNo(app_.GetLangText(kTextDataCollection),
                                   FormatText(app_.GetLangText(kTextStartToCollect), drive)));
    if (confirmed) {
        host_.SetStatusText(Format(" Collecting data from Disk-%c:", drive));
        host_.PumpMessages();
        pass_.read = true;
        if (watch.deviceMode && watch.modelLetter == 'E')
            ReadDeviceBlocksE(watch.handle);
        else if (watch.deviceMode)
            ReadDevicePagesC(watch.handle);
        else
            CollectDayFiles(drive);
        app_.Store().MarkChanged();
        host_.NotifyDataChanged();
        // A pass that left something behind keeps its last problem in the status line.
        if (pass_.Complete()) host_.SetStatusText(Format(" >>> Collecting %c: Complete <<<", drive));
        host_.PumpMessages();
    }

    ReadSettingsBack();
    app_.watch.busyDrive = kNoDrive;
    host_.NotifyDataChanged();
}

int Collector::CollectDayFiles(char letter) {
    FileSystem& files = app_.Files();
    const std::string root = volumes_.RootOf(letter);
    const ProgramFolderWriter::Hold hold = app_.Writer().Lock();
    if (!hold) {
        ReportFolderProblem(hold.Error());
        return 0;
    }
    // Another program folder must not take the same day files in the meantime. A file system
    // without locks only loses that guard.
    std::error_code lockError;
    const auto watchLock = LockWaiting(files, app_.SystemClock(), root, lockError);
    if (lockError == std::errc::device_or_resource_busy) {
        ReportFolderProblem(lockError);
        return 0;
    }
    const JournalRead journal = ReadImportJournal(files, app_.Paths());
    if (journal.error) {
        ShowCollectionError();
        ReportFolderProblem(journal.error);
        return 0;
    }
    // A folder that cannot be read to its end gives no pass at all: nothing is stored, nothing
    // leaves the watch.
    const FolderListing listing = files.ListFolder(root);
    if (listing.error) {
        ReportProblem(app_.GetLangText(kTextWatchUnreadable));
        return 0;
    }

    DayFilePlan plan;
    for (const FolderEntry& entry : files.ListFolder(app_.Paths().BackupFolder()).entries)
        plan.backupNames.insert(entry.name);
    // Text files first, then binary files.
    for (const auto& [extension, kind] :
         {std::pair{".txt", DayFileKind::Text}, std::pair{".KRO", DayFileKind::Binary}})
        for (const FolderEntry& entry : EntriesWithExtension(listing, extension))
            TakeDayFile(root, entry, kind, journal.journal, plan);

    if (const std::error_code error = CommitCollectedSteps(app_, journal.journal, plan.collected)) {
        ShowCollectionError();
        ReportFolderProblem(error);
        plan.storedNow.clear();
    }
    const int taken = static_cast<int>(plan.storedNow.size());
    for (const auto* names : {&plan.storedBefore, &plan.storedNow})
        for (const std::string& name : *names)
            if (files.Remove(root + "/" + name))
                ReportProblem(FormatText(app_.GetLangText(kTextCannotDelete), name.c_str()));
    return taken;
}

bool Collector::TakeDayFile(const std::string& root, const FolderEntry& entry, DayFileKind kind,
                            const ImportJournal& journal, DayFilePlan& plan) {
    const auto date = ParseDayFileName(entry.name);
    if (!date) return false;
    const char* name = entry.name.c_str();
    if (entry.kind != EntryKind::Regular) {
        ReportProblem(FormatText(app_.GetLangText(kTextNotPlainFile), name));
        return false;
    }
    FileSystem& files = app_.Files();
    const FileContent file = files.ReadFile(root + "/" + entry.name, kWatchFileLimit, OverLimit::Refuse);
    if (file.error == std::errc::file_too_large) {
        ReportProblem(FormatText(app_.GetLangText(kTextDayFileTooLarge), name));
        return false;
    }

    // The backup copy comes first and stays, whatever becomes of the day file. It is a second copy
    // of what the commit flushes, so it is not flushed on its own.
    const std::string backupFolder = app_.Paths().BackupFolder();
    int number = 1;
    while (number < kMaxBackups && plan.backupNames.count(Format("%s-%03d", name, number))) ++number;
    const std::string backupName = Format("%s-%03d", name, number);
    if (file.error || files.MakeFolder(backupFolder) ||
        files.WriteFile(backupFolder + "/" + backupName, file.bytes, Durability::Unflushed)) {
        ShowCollectionError();
        ReportProblem(FormatText(app_.GetLangText(kTextNotStored), name));
        return false;
    }
    plan.backupNames.insert(backupName);

    const ImportJournal::Entry stored = ImportJournal::Describe(entry.name, file.bytes);
    if (journal.Contains(stored)) {
        plan.storedBefore.push_back(entry.name);
        return true;
    }
    MonthBuffer& month = plan.collected.months.Month(date->year, date->month);
    const int slightMoving = app_.Config().Values().slightMoving;
    StepTally tally;
    if (kind == DayFileKind::Text) {
        tally = AddTextDayFile(file.bytes, date->day, month, slightMoving);
    } else if (!AddBinaryDayFile(file.bytes, date->day, month, slightMoving, tally)) {
        ShowCollectionError();
        ReportProblem(FormatText(app_.GetLangText(kTextNotStored), name));
        return false;
    }
    plan.collected.tally += tally;
    plan.collected.dayFiles.push_back(stored);
    plan.storedNow.push_back(entry.name);
    return true;
}

void Collector::ReadDevicePagesC(DeviceHandle handle) {
    ReadDevice(handle, DeviceSource::Pages);
}

void Collector::ReadDeviceBlocksE(DeviceHandle handle) {
    ReadDevice(handle, DeviceSource::Blocks);
}

void Collector::ReadDevice(DeviceHandle handle, DeviceSource source) {
    const ProgramFolderWriter::Hold hold = app_.Writer().Lock();
    if (!hold) return ReportFolderProblem(hold.Error());
    const JournalRead journal = ReadImportJournal(app_.Files(), app_.Paths());
    if (journal.error) {
        ShowCollectionError();
        return ReportFolderProblem(journal.error);
    }
    // The read is stored whole or not at all, and the watch forgets it only once it is stored.
    CollectedSteps collected;
    collected.deviceRecords.emplace();
    const bool whole = source == DeviceSource::Pages ? ReadDevicePages(handle, journal.journal, collected)
                                                     : ReadDeviceBlocks(handle, journal.journal, collected);
    if (!whole) return RefuseFurtherReads();
    host_.PumpMessages();
    if (const std::error_code error = CommitCollectedSteps(app_, journal.journal, collected)) {
        ShowCollectionError();
        ReportFolderProblem(error);
        return RefuseFurtherReads();
    }
    // Should the watch not hear this, it hands the same records over again, which the journal
    // then recognises.
    if (const int ended = EndTransfer(device_, handle); ended != 0) {
        ReportProblem(FormatText(app_.GetLangText(kTextWatchReadFailed), ended));
        RefuseFurtherReads();
    }
    host_.PumpMessages();
}

bool Collector::ReadDevicePages(DeviceHandle handle, const ImportJournal& journal,
                                CollectedSteps& collected) {
    const int slightMoving = app_.Config().Values().slightMoving;
    for (uint8_t page : {8, 10, 12, 14}) {
        host_.PumpMessages();
        const DataPageRead read = ReadDataPage(device_, handle, page);
        if (!read.Succeeded()) {
            ShowCollectionError();
            ReportProblem(FormatText(app_.GetLangText(kTextWatchReadFailed), read.result));
            return false;
        }
        for (size_t offset = 0; offset < read.data.size(); offset += kPageRecordBytes) {
            host_.PumpMessages();
            const uint8_t* record = read.data.data() + offset;
            if (IsEndOfData(record)) return true;
            if (IsNewRecord(record, kPageRecordBytes, journal, collected))
                AddPageRecord(record, collected.months, slightMoving, collected.tally);
        }
    }
    return true;
}

bool Collector::ReadDeviceBlocks(DeviceHandle handle, const ImportJournal& journal,
                                 CollectedSteps& collected) {
    const int slightMoving = app_.Config().Values().slightMoving;
    for (int count = 1;; ++count) {
        if (count > kMaxBlocksPerPass) {
            host_.ShowMessage(kCaptureError, app_.GetLangText(kTextDataCollection));
            pass_.problems.push_back(kCaptureError);
            return false;
        }
        host_.PumpMessages();
        const DataBlockRead read = ReadDataBlock(device_, handle);
        if (!read.Succeeded()) {
            ShowCollectionError();
            ReportProblem(FormatText(app_.GetLangText(kTextWatchReadFailed), read.result));
            return false;
        }
        const uint8_t* block = read.data.data();
        if (IsEndOfData(block)) return true;
        if (IsNewRecord(block, kBlockDataBytes, journal, collected))
            AddDataBlock(block, collected.months, slightMoving, collected.tally);
        if (IsLastDataBlock(block)) return true;
    }
}

void Collector::RefuseFurtherReads() {
    app_.watch.refusedWatch = app_.watch.Identity();
    ReportProblem(app_.GetLangText(kTextPlugInAgain));
}

void Collector::ReportProblem(const std::string& text) {
    pass_.problems.push_back(text);
    host_.SetStatusText(text);
    host_.PumpMessages();
}

void Collector::ReportFolderProblem(const std::error_code& error) {
    if (error == std::errc::device_or_resource_busy) {
        pass_.busy = true;
        return ReportProblem(app_.GetLangText(kTextFolderBusy));
    }
    ReportProblem(FormatText(app_.GetLangText(kTextFolderNotUpdated), error.message().c_str()));
}

void Collector::ShowCollectionError() {
    host_.ShowMessage(app_.GetLangText(kTextCollectionError), app_.GetLangText(kTextDataCollection));
}

void Collector::ReadSettingsBack() {
    const WatchConnection& watch = app_.watch;
    if (!watch.deviceMode) {
        if (watch.currentDrive != kNoDrive)
            EnsureMarkerFile(app_.Files(), volumes_.RootOf(watch.currentDrive), attributes_);
        ReadClockFile(watch.currentDrive);
        return;
    }
    ShowClockReport();
}

void Collector::ReadClockFile(char letter) {
    app_.watchSettings.ResetDisplay();
    if (letter == kNoDrive) return;
    // The steps are stored by now; a CLOCK.TXT that cannot be read only leaves the reset settings,
    // which the status line says.
    if (ReadClockFileAt(app_.Files(), volumes_.RootOf(letter), app_.watchSettings))
        host_.SetStatusText(FormatText(app_.GetLangText(kTextCannotRead), "CLOCK.TXT"));
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
