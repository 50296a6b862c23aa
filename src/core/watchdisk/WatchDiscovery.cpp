#include "core/watchdisk/WatchDiscovery.h"

#include <algorithm>
#include <optional>

#include "core/base/Format.h"
#include "core/watch/ScsiTransport.h"
#include "core/watch/WatchCommands.h"
#include "core/watch/WatchDiskFiles.h"
#include "core/watch/WatchMarker.h"
#include "core/watchdisk/DiskLabel.h"

namespace kiro {
namespace {}

WatchDiscovery::WatchDiscovery(App& app, Volumes& volumes, DeviceIo& device, Host& host, Collector& collector)
    : app_(app), volumes_(volumes), device_(device), host_(host), collector_(collector) {}

void WatchDiscovery::CloseHandle(bool unlockFirst) {
    WatchConnection& watch = app_.watch;
    if (watch.handle == kNoDevice) return;
    if (unlockFirst) UnlockVolume(device_, app_.SystemClock(), watch.handle);
    device_.Close(watch.handle);
    watch.handle = kNoDevice;
}

bool WatchDiscovery::TakeDeviceWatch(const WatchIdentity& identity, DeviceHandle opened) {
    WatchConnection& watch = app_.watch;
    watch.modelLetter = identity.modelLetter;
    watch.collectFlag = identity.collectFlag;
    watch.deviceMode = true;
    app_.Config().SetDisplayModeInMemory(1);
    CloseHandle(true);
    if (opened == kNoDevice) {
        watch.deviceMode = false;
        return false;
    }
    watch.handle = opened;
    const DeviceAttachment attachment = device_.AttachmentOf(opened);
    watch.deviceIdentity = identity.product + " serial " + attachment.serial;
    watch.deviceConnection = attachment.connection;
    app_.timeAdjustMode = kTimeAdjustAuto;
    return true;
}

bool WatchDiscovery::IsWatchDisk(char letter) {
    app_.watch.modelLetter = 0;
    if (volumes_.TypeOf(letter) != DriveType::Removable) return false;

    const WatchIdentity identity = IdentifyWatch(Inquiry(device_, letter));
    if (identity.isX5) {
        // The handle is opened first so that a failed open is known before anything is shown.
        const DeviceHandle opened = device_.OpenVolume(letter);
        if (!TakeDeviceWatch(identity, opened)) return false;
        host_.SetStatusText(Format(" Lock Volumn %c:", letter));
        host_.SetStatusText(Format(" Lock %c: Complete", letter));
        app_.watch.devicePath.clear();
        return true;
    }

    FileSystem& files = app_.Files();
    const std::string root = volumes_.RootOf(letter);
    const FolderListing listing = files.ListFolder(root);
    if (listing.error) return false;
    bool found = false;
    if (HoldsRegularFileWithExtension(listing, ".txt")) {
        app_.Config().SetDisplayMode(0);
        found = true;
    } else if (HoldsRegularFileWithExtension(listing, ".KRO")) {
        app_.Config().SetDisplayMode(1);
        found = true;
    } else if (const auto marker = FindRootFile(files, root, "USBWATCH.DAT")) {
        found = files.OpensForReading(root + "/" + *marker);
    }
    // A file-mode disk is read from its files, never through the handle of a device-mode watch
    // that was current before it.
    if (found) ForgetDeviceWatch();
    return found;
}

void WatchDiscovery::ForgetDeviceWatch() {
    WatchConnection& watch = app_.watch;
    watch.deviceMode = false;
    watch.collectFlag = false;
    watch.devicePath.clear();
    CloseHandle(true);
}

bool WatchDiscovery::TestDevicePath(const std::string& devicePath) {
    if (volumes_.TypeOfPath(devicePath) != DriveType::NoRootDir) return false;
    const WatchIdentity identity = IdentifyWatch(Inquiry(device_, devicePath));
    if (!identity.isX5) return false;
    if (!TakeDeviceWatch(identity, device_.OpenPath(devicePath))) return false;
    app_.watch.devicePath = devicePath;
    return true;
}

void WatchDiscovery::ScanForWatch() {
    if (PassRunning()) {
        scanWanted_ = true;
        return;
    }
    Scan();
    DeliverHeld();
}

void WatchDiscovery::Scan(const ArrivalAnswers& justNow) {
    WatchConnection& watch = app_.watch;
    watch.currentDrive = kNoDrive;
    watch.deviceMode = false;
    watch.collectFlag = false;
    host_.SetDiskLabelLargeFont();

    const uint32_t inUse = volumes_.LogicalDrives();
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        if ((inUse & LetterBit(letter)) && IsWatchDisk(letter)) {
            // Auto takes the correction from the watch's own clock, which only a device-mode
            // watch can be asked for; a file-mode watch's Time Set writes what the slider shows.
            app_.timeAdjustMode = watch.deviceMode ? kTimeAdjustAuto : kTimeAdjustManual;
            watch.currentDrive = letter;
            break;
        }
    }
    if (watch.currentDrive == kNoDrive) {
        for (const std::string& path : volumes_.UnmountedDiskPaths()) {
            if (TestDevicePath(path)) {
                watch.currentDrive = kDevicePathDrive;
                break;
            }
        }
    }
    if (watch.currentDrive == kNoDrive) {
        host_.SetDiskLabel(DiskLabelText(app_));
        return;
    }
    CollectAskingOnce(justNow);
}

bool WatchDiscovery::CollectAskingOnce(const ArrivalAnswers& justNow) {
    const WatchConnection& watch = app_.watch;
    const char drive = watch.currentDrive;
    const uint32_t bit = drive >= 'A' && drive <= 'Z' ? LetterBit(drive) : 0;
    const std::string connection = watch.deviceMode ? watch.deviceConnection : std::string();
    // Found again by a later stage or notification of the same plug-in (the volume, then the
    // rescan; the disk, then its volume).
    std::optional<bool> answered;
    if (bit & (justNow.agreed | justNow.declined))
        answered = (bit & justNow.agreed) != 0;
    else if (!connection.empty() && connection == askedConnection_)
        answered = connectionAgreed_;
    if (answered == false) return false;
    const bool agreed = collector_.CollectFromWatch(answered.has_value());
    askedConnection_ = connection;
    connectionAgreed_ = agreed;
    return agreed;
}

void WatchDiscovery::ResetWatchState() {
    collector_.LetGoOfWatch();
    WatchConnection& watch = app_.watch;
    watch.currentDrive = kNoDrive;
    watch.deviceMode = false;
    watch.modelLetter = 0;
    watch.collectFlag = false;
    watch.devicePath.clear();
    watch.deviceIdentity.clear();
    watch.deviceConnection.clear();
    CloseHandle(false);
    watch.busyDrive = kNoDrive;
    app_.watchSettings.Reset();
}

ArrivalAnswers WatchDiscovery::OnVolumesArrived(uint32_t mask) {
    ArrivalAnswers answers;
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        if (!(mask & LetterBit(letter))) continue;
        host_.SetStatusText(Format(" New coming Disk-%c:", letter));
        host_.PumpMessages();
        if (IsWatchDisk(letter)) {
            app_.watch.currentDrive = letter;
            (CollectAskingOnce({}) ? answers.agreed : answers.declined) |= LetterBit(letter);
        }
    }
    host_.NotifyDataChanged();
    return answers;
}

void WatchDiscovery::OnVolumesRemoved(uint32_t mask) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if ((mask & LetterBit(letter)) && app_.watch.refusedWatch == std::string(1, letter))
            app_.watch.refusedWatch.clear();
        if (!(mask & LetterBit(letter)) || app_.watch.currentDrive != letter) continue;
        host_.SetStatusText(Format(" Remove Disk-%c:", letter));
        host_.PumpMessages();
        ResetWatchState();
        app_.timeAdjustMode = kTimeAdjustManual;
        host_.SetDiskLabel(DiskLabelText(app_));
        host_.SetStatusText(Format(" Remove Disk-%c: done", letter));
        host_.PumpMessages();
    }
    host_.NotifyDataChanged();
}

void WatchDiscovery::ForgetRefusalOfGoneWatch() {
    std::string& refused = app_.watch.refusedWatch;
    if (refused.empty()) return;
    const std::vector<std::string> paths = volumes_.UnmountedDiskPaths();
    const bool present = refused.size() == 1 ? (volumes_.LogicalDrives() & LetterBit(refused[0])) != 0
                                             : std::find(paths.begin(), paths.end(), refused) != paths.end();
    if (!present) refused.clear();
}

void WatchDiscovery::RescanAfterChange(const ArrivalAnswers& justNow) {
    ForgetRefusalOfGoneWatch();
    WatchConnection& watch = app_.watch;
    if (watch.currentDrive == kDevicePathDrive) CloseHandle(false);
    if (watch.currentDrive >= 'A' && watch.currentDrive <= 'Z' &&
        !(volumes_.LogicalDrives() & LetterBit(watch.currentDrive))) {
        watch.currentDrive = kNoDrive;
        watch.deviceMode = false;
        app_.timeAdjustMode = kTimeAdjustManual;
        CloseHandle(false);
        host_.NotifyDataChanged();
    }
    Scan(justNow);
    if (watch.currentDrive != kNoDrive) host_.NotifyLanguageChanged();
}

void WatchDiscovery::OnDeviceChange(const DeviceChange& change) {
    if (app_.watch.eventsSuspended) return;
    if (PassRunning()) {
        held_.push_back(change);
        return;
    }
    HandleChange(change);
    DeliverHeld();
}

void WatchDiscovery::DeliverHeld() {
    while (!PassRunning()) {
        if (!held_.empty()) {
            const DeviceChange change = held_.front();
            held_.pop_front();
            if (!app_.watch.eventsSuspended) HandleChange(change);
        } else if (scanWanted_) {
            scanWanted_ = false;
            Scan();
        } else {
            break;
        }
    }
}

void WatchDiscovery::HandleChange(const DeviceChange& change) {
    ArrivalAnswers answers;
    if (change.kind == DeviceChange::Kind::VolumeArrival) answers = OnVolumesArrived(change.letterMask);
    if (change.kind == DeviceChange::Kind::VolumeRemoval) OnVolumesRemoved(change.letterMask);
    // Stage 2 runs for every notification and finds an arriving watch again: its second pass
    // takes what the first left (a model C watch hands over a day or so a pass) on the answer
    // already given.
    if (app_.watch.eventsSuspended) return;
    RescanAfterChange(answers);
}

bool WatchDiscovery::SelectDisk(char letter, FileAttributes& attributes) {
    WatchConnection& watch = app_.watch;
    watch.currentDrive = letter;
    CloseHandle(true);
    watch.deviceMode = false;
    watch.devicePath.clear();
    bool selected = false;
    const WatchIdentity identity = IdentifyWatch(Inquiry(device_, letter));
    if (identity.isX5) {
        selected = TakeDeviceWatch(identity, device_.OpenVolume(letter));
        if (selected) LockVolume(device_, app_.SystemClock(), watch.handle);
    } else {
        selected = EnsureMarkerFile(app_.Files(), volumes_.RootOf(letter), attributes);
        // Only a device-mode watch's clock can be asked for Auto's correction.
        app_.timeAdjustMode = kTimeAdjustManual;
    }
    if (!selected) {
        watch.currentDrive = kNoDrive;
        watch.deviceMode = false;
        watch.modelLetter = 0;
        host_.SetDiskLabel(DiskLabelText(app_));
        return false;
    }
    host_.NotifyLanguageChanged();
    host_.SetDiskLabel(DiskLabelText(app_));
    return true;
}

void WatchDiscovery::Shutdown() {
    collector_.LetGoOfWatch();
    CloseHandle(false);
    app_.watch.currentDrive = kNoDrive;
}

}  // namespace kiro
