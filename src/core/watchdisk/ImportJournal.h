#pragma once
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/app/ProgramFolder.h"
#include "core/system/FileSystem.h"

namespace kiro {

// The program folder's record of what has been stored, so that nothing is counted twice when a
// watch hands it over again: every day file stored (by name, size and a hash of its content),
// and the records of the last device read (by a hash of each record). A day file stays on the
// watch when it cannot be deleted, and a device watch hands its data over again when a pass ends
// between storing it and telling the watch; with the journal both are recognised and skipped.
// The journal changes in the same commit as the months and totals it speaks for.
class ImportJournal {
  public:
    static constexpr size_t kSizeLimit = 64 * 1024 * 1024;

    struct Entry {
        std::string name;
        uint64_t size = 0;
        uint64_t hash = 0;
    };
    static Entry Describe(const std::string& name, std::string_view content);
    // The key of one device record (a data page record or a data block without its last-block
    // mark, which changes when more data follows).
    static uint64_t RecordKey(std::string_view recordBytes);

    // Lines it does not know are kept as they are.
    explicit ImportJournal(std::string_view text = {});

    bool Contains(const Entry& entry) const;
    bool HasDeviceRecord(uint64_t key) const { return deviceRecords_.count(key) != 0; }
    // The journal's text with the day files added and, when given, the device records replaced
    // by those of the read being stored.
    std::string With(const std::vector<Entry>& added,
                     const std::optional<std::vector<uint64_t>>& deviceRecords) const;

  private:
    std::vector<std::string> dayFileLines_;
    std::set<std::string> dayFiles_;
    std::set<uint64_t> deviceRecords_;
};

struct JournalRead {
    // The journal exists but could not be read: nothing may be stored until it can.
    std::error_code error;
    ImportJournal journal;
};
JournalRead ReadImportJournal(FileSystem& files, const ProgramPaths& paths);

}  // namespace kiro
