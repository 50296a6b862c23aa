#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/base/ProgramFolder.h"
#include "core/system/FileSystem.h"
#include "core/watchdisk/DeviceRecord.h"

namespace kiro {

// The program folder's record of what has been stored, so that nothing is counted twice when a
// watch hands it over again. A day file stays on the watch when it cannot be deleted: every day
// file stored is kept by name, size and a hash of its content. A device-mode watch hands its data
// over again when a pass ends between storing it and telling the watch: for each watch, until it
// has been told, the counts stored of every hour (data page) or half-day (data block) it handed
// over, so that a record sent again adds only what grew since; and while a read of it runs, the
// connection it runs in, so that a later program does not read on from where a failed one
// stopped. The journal changes in the same commit as the months and totals it speaks for.
class ImportJournal {
  public:
    static constexpr size_t kSizeLimit = 64 * 1024 * 1024;

    struct Entry {
        std::string name;
        uint64_t size = 0;
        uint64_t hash = 0;
    };
    static Entry Describe(const std::string& name, std::string_view content);

    // What the journal keeps of one device-mode watch until the watch is told its data was taken.
    struct DeviceWatch {
        // The connection a read of the watch began in and did not end; empty when none runs.
        std::string readingIn;
        std::map<RecordPlace, std::vector<uint16_t>> stored;

        bool Empty() const { return readingIn.empty() && stored.empty(); }
        friend bool operator==(const DeviceWatch&, const DeviceWatch&) = default;
    };
    // A watch or a connection as the journal names it: a hash of how the system names it.
    static std::string KeyOf(std::string_view name);
    // How the journal names a connection the system cannot tell apart from the next one.
    static constexpr const char* kUnknownConnection = "unknown";

    // Lines it does not know are kept as they are.
    explicit ImportJournal(std::string_view text = {});

    bool Contains(const Entry& entry) const;
    void Add(const Entry& entry);

    // The watch of that key; empty when the journal holds nothing of it.
    DeviceWatch Device(const std::string& watchKey) const;
    void SetDevice(const std::string& watchKey, const DeviceWatch& device);
    // The watch was told its data was taken: nothing of it is kept any more, and neither are the
    // device records of the journal's earlier format.
    void ForgetDevice(const std::string& watchKey);
    // The earlier format kept the records of the last device read by a hash of their bytes
    // (a data page record, or a data block without its last-block mark).
    bool HasEarlierRecord(std::string_view recordBytes) const;

    std::string Text() const;

  private:
    std::vector<std::string> otherLines_;  // day files, and lines of formats it does not know
    std::set<std::string> dayFiles_;
    std::set<uint64_t> earlierRecords_;
    std::map<std::string, DeviceWatch> devices_;
};

struct JournalRead {
    // The journal exists but could not be read: nothing may be stored until it can.
    std::error_code error;
    ImportJournal journal;
};
JournalRead ReadImportJournal(FileSystem& files, const ProgramPaths& paths);

}  // namespace kiro
