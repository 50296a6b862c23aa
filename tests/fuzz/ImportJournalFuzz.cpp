// The import journal of the program folder, read at every collection, whatever a damaged or
// foreign file holds. Written back with nothing added it reads the same; entries added are known
// afterwards, and the device records given replace the old ones. Input: a day file's name and
// content (up to the first two zero bytes), then the journal.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/watchdisk/ImportJournal.h"
#include "core/watchdisk/WatchDiskFiles.h"

using namespace kiro;

namespace {

// The lines of a journal without carriage returns at their ends, empty ones left out.
std::vector<std::string> Tidied(std::string_view text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) lines.emplace_back(line);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = fuzz::TextOf(data, size);
    const size_t nameEnd = std::min(input.find('\0'), input.size());
    const size_t contentEnd = std::min(input.find('\0', std::min(nameEnd + 1, input.size())), input.size());
    const std::string name(input.substr(0, nameEnd));
    const std::string_view content =
        input.substr(std::min(nameEnd + 1, input.size()), contentEnd - std::min(nameEnd + 1, input.size()));
    const std::string_view text = input.substr(std::min(contentEnd + 1, input.size()));

    const ImportJournal journal(text);
    const std::string kept = journal.With({}, std::nullopt);
    // A foreign line may lose the carriage returns at its end, one each time it is read; what
    // the lines say stays.
    fuzz::Require(Tidied(ImportJournal(kept).With({}, std::nullopt)) == Tidied(kept),
                  "a journal written back reads the same");

    // Only day files go into the journal: 8.3 names of a watch's FAT disk, no blank or control
    // character in them, that carry a date.
    const bool printable = std::all_of(name.begin(), name.end(), [](char c) { return c > 0x20 && c < 0x7F; });
    if (name.size() != 12 || !printable || !ParseDayFileName(name)) return 0;
    const ImportJournal::Entry entry = ImportJournal::Describe(name, content);
    fuzz::Require(ImportJournal(kept).Contains(entry) == journal.Contains(entry),
                  "a journal written back knows the day files it knew");
    const uint64_t record = ImportJournal::RecordKey(content);
    const ImportJournal added(journal.With({entry}, std::vector<uint64_t>{record}));
    fuzz::Require(added.Contains(entry), "a day file added is known afterwards");
    fuzz::Require(added.HasDeviceRecord(record), "a device record given is known afterwards");
    const std::string withoutDevice = added.With({}, std::vector<uint64_t>{});
    fuzz::Require(
        withoutDevice.rfind("device ", 0) != 0 && withoutDevice.find("\ndevice ") == std::string::npos,
        "no device record is left once none are given");
    return 0;
}
