#include "core/watchdisk/Collector.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "core/base/Format.h"
#include "core/watch/ClockDifference.h"
#include "core/watch/ClockFile.h"
#include "core/watch/ConfigBlock.h"
#include "core/watch/WatchCommands.h"
#include "core/watch/WatchDiskFiles.h"
#include "core/watch/WatchMarker.h"
#include "core/watchdisk/DayDataDecoders.h"
#include "core/watchdisk/DiskLabel.h"

namespace kiro {
namespace {
constexpr int kMaxBlocksPerPass = 99;
constexpr int kMaxBackups = 99;
constexpr const char* kCaptureError = "X5E Data Capture Error";
// A data block's counts end before its last-block mark, which is not part of its data.
constexpr size_t kBlockDataBytes = 292;
constexpr size_t kPageRecordBytes = 64;

}  // namespace

// The day files of one pass: what they add, and which leave the watch once it is stored.
struct Collector::DayFilePlan {
    CollectedSteps collected;
    std::vector<ImportJournal::Entry> added;  // for the journal
    std::set<std::string> backupNames;        // what the backup folder holds
    bool backupsWritten = false;
    std::vector<std::string> storedBefore;  // in the journal already: they only leave the watch
    std::vector<std::string> storedNow;     // stored by this pass's commit
};

Collector::Collector(App& app, Volumes& volumes, DeviceIo& device, Host& host, FileAttributes& attributes)
    : app_(app), volumes_(volumes), device_(device), host_(host), attributes_(attributes) {}

bool Collector::CollectFromWatch(bool answeredYes) {
    WatchConnection& watch = app_.watch;
    if (watch.busyDrive == watch.currentDrive) return true;
    const char drive = watch.currentDrive;

    host_.SetDiskLabelLargeFont();
    host_.SetDiskLabel(DiskLabelText(app_));
    watch.busyDrive = drive;
    pass_ = {};

    const bool refused = watch.deviceMode && watch.ReadRefused();
    if (refused) ReportProblem(app_.GetLangText(TextId::PlugInAgain));
    const bool hasData = !refused && (!watch.deviceMode || watch.collectFlag);
    const bool confirmed =
        hasData && (answeredYes || app_.Config().Values().autoConfirm != 0 ||
                    host_.AskYesNo(app_.GetLangText(TextId::DataCollection),
                                   FormatText(app_.GetLangText(TextId::StartToCollect), drive)));
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
    // Nothing to ask about (a watch refused or without data) is no No.
    return confirmed || !hasData;
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
    const auto watchLock =
        LockWaiting(files, app_.SystemClock(), root, LockKind::Exclusive, kLockWaitMs, lockError);
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
        ReportProblem(app_.GetLangText(TextId::WatchUnreadable));
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

    // The backup copies must be on the disk before the commit lets their day files leave the
    // watch: a copy lost to a power cut would be the only one lost.
    std::error_code error;
    if (plan.backupsWritten) error = files.SyncFolder(app_.Paths().BackupFolder());
    if (!error && !plan.added.empty()) {
        ImportJournal updated = journal.journal;
        for (const ImportJournal::Entry& entry : plan.added) updated.Add(entry);
        plan.collected.journal = std::move(updated);
    }
    if (!error) error = CommitCollectedSteps(app_, plan.collected);
    if (error) {
        ShowCollectionError();
        ReportFolderProblem(error);
        plan.storedNow.clear();
    }
    const int taken = static_cast<int>(plan.storedNow.size());
    for (const auto* names : {&plan.storedBefore, &plan.storedNow})
        for (const std::string& name : *names)
            if (files.Remove(root + "/" + name))
                ReportProblem(FormatText(app_.GetLangText(TextId::CannotDelete), name.c_str()));
    return taken;
}

bool Collector::TakeDayFile(const std::string& root, const FolderEntry& entry, DayFileKind kind,
                            const ImportJournal& journal, DayFilePlan& plan) {
    const auto date = ParseDayFileName(entry.name);
    if (!date) return false;
    const char* name = entry.name.c_str();
    if (entry.kind != EntryKind::Regular) {
        ReportProblem(FormatText(app_.GetLangText(TextId::NotPlainFile), name));
        return false;
    }
    FileSystem& files = app_.Files();
    const FileContent file = files.ReadFile(root + "/" + entry.name, kWatchFileLimit, OverLimit::Refuse);
    if (file.error == std::errc::file_too_large) {
        ReportProblem(FormatText(app_.GetLangText(TextId::DayFileTooLarge), name));
        return false;
    }

    // The backup copy comes first and stays, whatever becomes of the day file.
    const std::string backupFolder = app_.Paths().BackupFolder();
    int number = 1;
    while (number < kMaxBackups && plan.backupNames.count(Format("%s-%03d", name, number))) ++number;
    const std::string backupName = Format("%s-%03d", name, number);
    if (file.error || files.MakeFolder(backupFolder) ||
        files.WriteFile(backupFolder + "/" + backupName, file.bytes, Durability::Flushed)) {
        ShowCollectionError();
        ReportProblem(FormatText(app_.GetLangText(TextId::NotStored), name));
        return false;
    }
    plan.backupNames.insert(backupName);
    plan.backupsWritten = true;

    const ImportJournal::Entry stored = ImportJournal::Describe(entry.name, file.bytes);
    if (journal.Contains(stored)) {
        plan.storedBefore.push_back(entry.name);
        return true;
    }
    // A binary day file too short to hold a day is refused before its month is touched: it must
    // not leave a month file of zeros behind.
    if (kind == DayFileKind::Binary && file.bytes.size() < static_cast<size_t>(kKroFileBytes)) {
        ShowCollectionError();
        ReportProblem(FormatText(app_.GetLangText(TextId::NotStored), name));
        return false;
    }
    MonthBuffer& month = plan.collected.months.Month(date->year, date->month);
    const int slightMoving = app_.Config().Values().slightMoving;
    StepTally tally;
    if (kind == DayFileKind::Text)
        tally = AddTextDayFile(file.bytes, date->day, month, slightMoving);
    else
        AddBinaryDayFile(file.bytes, date->day, month, slightMoving, tally);
    plan.collected.tally += tally;
    plan.added.push_back(stored);
    plan.storedNow.push_back(entry.name);
    return true;
}

void Collector::ReadDevicePagesC(DeviceHandle handle) {
    ReadDevice(handle, DeviceSource::Pages);
}

void Collector::ReadDeviceBlocksE(DeviceHandle handle) {
    ReadDevice(handle, DeviceSource::Blocks);
}

std::error_code Collector::CommitJournal(const ImportJournal& journal) {
    return app_.Writer().Change([&journal](FolderTransaction& transaction) {
        transaction.Replace(kJournalFileName, journal.Text());
    });
}

void Collector::ReadDevice(DeviceHandle handle, DeviceSource source) {
    const ProgramFolderWriter::Hold hold = app_.Writer().Lock();
    if (!hold) return ReportFolderProblem(hold.Error());
    const JournalRead read = ReadImportJournal(app_.Files(), app_.Paths());
    if (read.error) {
        ShowCollectionError();
        return ReportFolderProblem(read.error);
    }
    const WatchConnection& watch = app_.watch;
    const std::string watchKey = ImportJournal::KeyOf(watch.deviceIdentity);
    const std::string connection = watch.deviceConnection.empty()
                                       ? ImportJournal::kUnknownConnection
                                       : ImportJournal::KeyOf(watch.deviceConnection);
    ImportJournal journal = read.journal;
    ImportJournal::DeviceWatch device = journal.Device(watchKey);
    const ImportJournal::DeviceWatch endedHere{.readingIn = connection, .stored = {}};
    // This program's last read of the watch in this connection ended and left its mark for the
    // next: that mark stands for this read as well.
    const bool markStands = ownMark_ == OwnMark{watchKey, connection} && device == endedHere;
    const std::optional<OwnMark> earlierMark = std::exchange(ownMark_, std::nullopt);
    if (!markStands) {
        // A read that began in this very connection and never ended: the watch would go on from
        // where it stopped, and forget at the end what came before.
        if (device.readingIn == connection && connection != ImportJournal::kUnknownConnection)
            return RefuseFurtherReads();
        // The mark this program kept of a watch it has since lost goes with this commit.
        if (earlierMark) ForgetOwnMark(*earlierMark, journal);
        device.readingIn = connection;
        journal.SetDevice(watchKey, device);
        if (const std::error_code error = CommitJournal(journal)) {
            ShowCollectionError();
            return ReportFolderProblem(error);
        }
    }

    // The read is stored whole or not at all, and the watch forgets it only once it is stored.
    CollectedSteps collected;
    const ImportJournal::DeviceWatch marked = device;
    const bool whole = source == DeviceSource::Pages ? ReadDevicePages(handle, journal, device, collected)
                                                     : ReadDeviceBlocks(handle, journal, device, collected);
    if (!whole) return RefuseFurtherReads();
    host_.PumpMessages();
    // A read that found nothing new leaves the journal as the mark wrote it: nothing to commit
    // before the watch is told to end.
    if (device != marked) {
        journal.SetDevice(watchKey, device);
        collected.journal = journal;
    }
    if (const std::error_code error = CommitCollectedSteps(app_, collected)) {
        ShowCollectionError();
        ReportFolderProblem(error);
        return RefuseFurtherReads();
    }
    // Should the watch not hear this, it hands the same records over again, which the journal
    // then recognises by their places.
    if (const int ended = EndTransfer(device_, handle); ended != 0) {
        ReportProblem(FormatText(app_.GetLangText(TextId::WatchReadFailed), ended));
        return RefuseFurtherReads();
    }
    // The watch forgot what it handed over, and so does the journal. The mark stays, for the next
    // read of this program in the same connection; it goes when the program lets go of the watch.
    if (journal.Device(watchKey) != endedHere) {
        journal.SetDevice(watchKey, endedHere);
        if (const std::error_code error = CommitJournal(journal)) {
            ReportFolderProblem(error);
            host_.PumpMessages();
            return;
        }
    }
    ownMark_ = OwnMark{watchKey, connection};
    host_.PumpMessages();
}

void Collector::ForgetOwnMark(const OwnMark& mark, ImportJournal& journal) {
    // Only the mark as this program left it: another program may have read the watch since.
    if (journal.Device(mark.watchKey) ==
        ImportJournal::DeviceWatch{.readingIn = mark.connection, .stored = {}})
        journal.ForgetDevice(mark.watchKey);
}

void Collector::LetGoOfWatch() {
    const std::optional<OwnMark> mark = std::exchange(ownMark_, std::nullopt);
    if (!mark) return;
    // Should this fail, the mark stops only other programs, and only until the watch is plugged in
    // again: nothing of the steps depends on it.
    const ProgramFolderWriter::Hold hold = app_.Writer().Lock();
    if (!hold) return;
    const JournalRead read = ReadImportJournal(app_.Files(), app_.Paths());
    if (read.error) return;
    ImportJournal journal = read.journal;
    ForgetOwnMark(*mark, journal);
    if (journal.Text() != read.journal.Text()) (void)CommitJournal(journal);
}

void Collector::AddRecord(const DeviceRecord& record, std::string_view bytes, const ImportJournal& journal,
                          ImportJournal::DeviceWatch& device, CollectedSteps& collected) {
    // Stored by a program of the journal's earlier format, whose read the watch never heard of.
    if (journal.HasEarlierRecord(bytes)) return;
    std::vector<uint16_t>& stored = device.stored[record.place];
    const bool before = !stored.empty();
    AddDeviceRecord(record, before ? &stored : nullptr, collected.months, app_.Config().Values().slightMoving,
                    collected.tally);
    if (!before) stored.assign(record.counts.size(), 0);
    for (size_t i = 0; i < stored.size() && i < record.counts.size(); ++i)
        stored[i] = std::max(stored[i], record.counts[i]);
}

bool Collector::ReadDevicePages(DeviceHandle handle, const ImportJournal& journal,
                                ImportJournal::DeviceWatch& device, CollectedSteps& collected) {
    for (uint8_t page : {8, 10, 12, 14}) {
        host_.PumpMessages();
        const DataPageRead read = ReadDataPage(device_, handle, page);
        if (!read.Succeeded()) {
            ShowCollectionError();
            ReportProblem(FormatText(app_.GetLangText(TextId::WatchReadFailed), read.result));
            return false;
        }
        for (size_t offset = 0; offset < read.data.size(); offset += kPageRecordBytes) {
            host_.PumpMessages();
            const uint8_t* bytes = read.data.data() + offset;
            const auto record = ParsePageRecord(bytes);
            if (!record) return true;
            AddRecord(*record, {reinterpret_cast<const char*>(bytes), kPageRecordBytes}, journal, device,
                      collected);
        }
    }
    return true;
}

bool Collector::ReadDeviceBlocks(DeviceHandle handle, const ImportJournal& journal,
                                 ImportJournal::DeviceWatch& device, CollectedSteps& collected) {
    for (int count = 1;; ++count) {
        if (count > kMaxBlocksPerPass) {
            host_.ShowMessage(kCaptureError, app_.GetLangText(TextId::DataCollection));
            pass_.problems.push_back(kCaptureError);
            return false;
        }
        host_.PumpMessages();
        const DataBlockRead read = ReadDataBlock(device_, handle);
        if (!read.Succeeded()) {
            ShowCollectionError();
            ReportProblem(FormatText(app_.GetLangText(TextId::WatchReadFailed), read.result));
            return false;
        }
        const uint8_t* bytes = read.data.data();
        const auto record = ParseDataBlock(bytes);
        if (!record) return true;
        AddRecord(*record, {reinterpret_cast<const char*>(bytes), kBlockDataBytes}, journal, device,
                  collected);
        if (IsLastDataBlock(bytes)) return true;
    }
}

void Collector::RefuseFurtherReads() {
    app_.watch.refusedWatch = app_.watch.Identity();
    ReportProblem(app_.GetLangText(TextId::PlugInAgain));
}

void Collector::ReportProblem(const std::string& text) {
    pass_.problems.push_back(text);
    host_.SetStatusText(text);
    host_.PumpMessages();
}

void Collector::ReportFolderProblem(const std::error_code& error) {
    if (error == std::errc::device_or_resource_busy) {
        pass_.busy = true;
        return ReportProblem(app_.GetLangText(TextId::FolderBusy));
    }
    ReportProblem(FormatText(app_.GetLangText(TextId::FolderNotUpdated), error.message().c_str()));
}

void Collector::ShowCollectionError() {
    host_.ShowMessage(app_.GetLangText(TextId::CollectionError), app_.GetLangText(TextId::DataCollection));
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
        host_.SetStatusText(FormatText(app_.GetLangText(TextId::CannotRead), "CLOCK.TXT"));
}

void Collector::ShowClockReport() {
    const WatchConnection& watch = app_.watch;
    const ConfigBlockRead read = ReadConfigBlock(device_, watch.handle);
    if (!ParseConfigBlock(read.data, ConfigReadBack::Collection, app_.watchSettings)) return;
    const ClockDifference difference =
        ComputeClockDifference(read.data, app_.SystemClock().Now(), app_.SystemClock());
    app_.watchSettings.tAdj = difference.newTAdj;
    host_.ShowMessage(FormatText(app_.GetLangText(TextId::ClockReport), watch.currentDrive, watch.modelLetter,
                                 difference.lastUpdateText.c_str(), difference.currentTimeText.c_str(),
                                 difference.watchTimeText.c_str(), difference.differenceText.c_str()),
                      app_.GetLangText(TextId::DataCollection));
}

}  // namespace kiro
