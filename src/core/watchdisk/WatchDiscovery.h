#pragma once
#include <deque>
#include <string>

#include "core/app/App.h"
#include "core/system/DeviceEvents.h"
#include "core/system/DeviceIo.h"
#include "core/system/FileAttributes.h"
#include "core/system/Host.h"
#include "core/system/Volumes.h"
#include "core/watch/WatchCommands.h"
#include "core/watchdisk/Collector.h"

namespace kiro {

// The letters whose watch the arrival of one notification asked about, by the answer.
struct ArrivalAnswers {
    uint32_t agreed = 0;
    uint32_t declined = 0;
};

// Finds which disk, if any, is the watch and of which kind, keeps the watch connection state,
// and reacts to disks arriving and going away. Every watch found starts a collection pass.
// Device notifications and scans that come while a pass runs (its status updates let events
// through) are held and handled when it ends: a rescan in the middle would close the device
// handle the pass reads from.
class WatchDiscovery final : public DeviceChangeSink {
  public:
    WatchDiscovery(App& app, Volumes& volumes, DeviceIo& device, Host& host, Collector& collector);

    // Tests one drive letter: a device-mode watch by its identification data, else a
    // file-mode watch by the files at its root. Sets the state fields on success (not the
    // current drive: the caller does).
    bool IsWatchDisk(char letter);
    // Finds the first watch among D..Z, then among disk device paths, and collects it.
    void ScanForWatch();
    // Forgets the current watch.
    void ResetWatchState();
    // A device notification: arrival and removal of volumes, then the rescan that follows
    // every device change. Nothing happens while device events are suspended.
    void OnDeviceChange(const DeviceChange& change) override;
    // The main window closes: the device handle is closed and no watch is current.
    void Shutdown();
    // The setup page's choice of a disk: a device-mode watch is opened and locked, a file-mode
    // disk must carry (or take) its marker file. Returns whether the disk is selected; one that is
    // not leaves no watch current, and the disk label says so.
    bool SelectDisk(char letter, FileAttributes& attributes);

  private:
    bool PassRunning() const { return app_.watch.busyDrive != kNoDrive; }
    // Finds the current watch and collects it; `justNow` are the answers of the arrival of the
    // same notification.
    void Scan(const ArrivalAnswers& justNow = {});
    void HandleChange(const DeviceChange& change);
    // Handles what was held while a pass ran, once none runs.
    void DeliverHeld();
    // A watch that was refused further reads may be read again once it has gone.
    void ForgetRefusalOfGoneWatch();
    bool TestDevicePath(const std::string& devicePath);
    // Takes a device-mode watch: notes its identity and opens its handle, releasing a handle
    // held before. False when the device cannot be opened.
    bool TakeDeviceWatch(const WatchIdentity& identity, DeviceHandle opened);
    void CloseHandle(bool unlockFirst);
    // A file-mode disk became current: the device-mode watch before it is no longer in use.
    void ForgetDeviceWatch();
    // Collects the current watch, asking about it once per plug-in: a watch the arrival of the
    // same notification asked about (`justNow`), or a device-mode watch in a connection asked
    // about before, is collected on that answer without another question, or left alone after
    // a No. Returns the answer.
    bool CollectAskingOnce(const ArrivalAnswers& justNow);
    ArrivalAnswers OnVolumesArrived(uint32_t mask);
    void OnVolumesRemoved(uint32_t mask);
    void RescanAfterChange(const ArrivalAnswers& justNow);

    App& app_;
    Volumes& volumes_;
    DeviceIo& device_;
    Host& host_;
    Collector& collector_;
    std::deque<DeviceChange> held_;
    bool scanWanted_ = false;
    // The connection of the device-mode watch asked about last (empty where connections cannot
    // be told apart), and the answer.
    std::string askedConnection_;
    bool connectionAgreed_ = false;
};

}  // namespace kiro
