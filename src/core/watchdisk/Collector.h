#pragma once
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/app/App.h"
#include "core/system/DeviceIo.h"
#include "core/system/FileAttributes.h"
#include "core/system/Host.h"
#include "core/system/Volumes.h"
#include "core/watchdisk/CollectedSteps.h"

namespace kiro {

// How the last collection pass ended.
struct PassOutcome {
    bool read = false;  // the user agreed and the watch's data was looked at
    bool busy = false;  // another program held the program folder or the watch disk
    // What went wrong, as the status line showed it; empty for a pass that stored everything it
    // found.
    std::vector<std::string> problems;

    bool Complete() const { return problems.empty(); }
};

// One collection pass: moves the steps the current watch recorded into the monthly store,
// advances the totals and the running missions, keeps a backup copy of every day file, then
// reads the watch's settings back. Everything a pass stores goes into the program folder in one
// commit, under the folder's lock; a day file leaves the watch, and a device-mode watch is told
// to forget its data, only once that commit stands (and the day file's backup copy is on the
// disk). Before a device-mode watch is read, the journal notes that a read of it runs in its
// connection: a program that finds that note for a watch still in the same connection does not
// read it, since the watch would hand over only what the failed read had not taken.
class Collector {
  public:
    Collector(App& app, Volumes& volumes, DeviceIo& device, Host& host, FileAttributes& attributes);

    // A pass over the current watch, after the question whether to collect (unless AutoConfirm
    // is on, or the user said Yes to it for this plug-in already: `answeredYes`). Returns false
    // only when the user said No. Returns at once when a pass of the same drive is already
    // running (events are let through in the middle of a pass).
    bool CollectFromWatch(bool answeredYes = false);

    // The three sources.
    int CollectDayFiles(char letter);
    void ReadDevicePagesC(DeviceHandle handle);
    void ReadDeviceBlocksE(DeviceHandle handle);

    // The settings read back at the end of a pass (CLOCK.TXT or the configuration block).
    void ReadSettingsBack();

    const PassOutcome& LastPass() const { return pass_; }
    // The watch has gone, or the program ends: the reading mark that this program kept of the
    // watch after its last read ended is taken out of the journal.
    void LetGoOfWatch();

  private:
    enum class DayFileKind { Text, Binary };
    enum class DeviceSource { Pages, Blocks };
    struct DayFilePlan;
    // Reads one day file of the watch into the pass; false when it cannot be taken.
    bool TakeDayFile(const std::string& root, const FolderEntry& entry, DayFileKind kind,
                     const ImportJournal& journal, DayFilePlan& plan);
    void ReadDevice(DeviceHandle handle, DeviceSource source);
    // The records of a device read, each adding what it holds beyond what the watch's stored
    // counts say was stored of its place already; the stored counts follow.
    bool ReadDevicePages(DeviceHandle handle, const ImportJournal& journal,
                         ImportJournal::DeviceWatch& device, CollectedSteps& collected);
    bool ReadDeviceBlocks(DeviceHandle handle, const ImportJournal& journal,
                          ImportJournal::DeviceWatch& device, CollectedSteps& collected);
    void AddRecord(const DeviceRecord& record, std::string_view bytes, const ImportJournal& journal,
                   ImportJournal::DeviceWatch& device, CollectedSteps& collected);
    // A device-mode watch whose last read by this program ended in the connection named: the
    // journal keeps the reading mark (with no counts) for the next read in that connection, which
    // then needs no commit before it begins. Another program in the same connection finds the
    // mark and does not read, as after a read that failed, until this program lets go.
    struct OwnMark {
        std::string watchKey, connection;
        friend bool operator==(const OwnMark&, const OwnMark&) = default;
    };
    // Takes `mark` out of `journal` if it is there as this program left it.
    static void ForgetOwnMark(const OwnMark& mark, ImportJournal& journal);
    // The journal alone, in a commit of its own.
    std::error_code CommitJournal(const ImportJournal& journal);
    // No later pass reads this watch before it is plugged in again: reading on from where the
    // failed pass stopped would store part of what the watch still holds whole.
    void RefuseFurtherReads();

    // Shows a problem in the status line and keeps it for LastPass.
    void ReportProblem(const std::string& text);
    void ReportFolderProblem(const std::error_code& error);
    void ShowCollectionError();
    void ReadClockFile(char letter);
    void ShowClockReport();

    App& app_;
    Volumes& volumes_;
    DeviceIo& device_;
    Host& host_;
    FileAttributes& attributes_;
    PassOutcome pass_;
    std::optional<OwnMark> ownMark_;
};

}  // namespace kiro
