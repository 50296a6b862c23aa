// The import journal of the program folder, read at every collection, whatever a damaged or
// foreign file holds. Written back with nothing added it reads the same; entries added are known
// afterwards; what it keeps of a device-mode watch reads back as it was given, and is gone once
// the watch is forgotten. Input: a day file's name and content (up to the first two zero bytes),
// then the journal.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/watch/WatchDiskFiles.h"
#include "core/watchdisk/ImportJournal.h"

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
    const std::string kept = journal.Text();
    // A foreign line may lose the carriage returns at its end, one each time it is read; what
    // the lines say stays.
    fuzz::Require(Tidied(ImportJournal(kept).Text()) == Tidied(kept),
                  "a journal written back reads the same");

    // What the journal keeps of a watch, made from the content's bytes.
    const std::string watchKey = ImportJournal::KeyOf(name);
    ImportJournal::DeviceWatch device;
    device.readingIn = ImportJournal::KeyOf(content);
    RecordPlace place{content.size() % 2 ? RecordPlace::Kind::Page : RecordPlace::Kind::Block, 2014,
                      static_cast<int>(content.size() % 12) + 1, 5, 10};
    std::vector<uint16_t>& counts = device.stored[place];
    counts.resize(place.kind == RecordPlace::Kind::Page ? kPageRecordCounts : kBlockCounts);
    for (size_t i = 0; i < content.size() && i < counts.size(); ++i)
        counts[i] = static_cast<uint8_t>(content[i]) * 257;
    ImportJournal withDevice(kept);
    withDevice.SetDevice(watchKey, device);
    const ImportJournal reread(withDevice.Text());
    const ImportJournal::DeviceWatch back = reread.Device(watchKey);
    fuzz::Require(back.readingIn == device.readingIn && back.stored == device.stored,
                  "what is kept of a watch reads back as it was given");
    ImportJournal forgotten(withDevice.Text());
    forgotten.ForgetDevice(watchKey);
    fuzz::Require(ImportJournal(forgotten.Text()).Device(watchKey).Empty(),
                  "a forgotten watch leaves nothing");
    fuzz::Require(!ImportJournal(forgotten.Text()).HasEarlierRecord(content),
                  "nor any record of the earlier format");

    // Only day files go into the journal: 8.3 names of a watch's FAT disk, no blank or control
    // character in them, that carry a date.
    const bool printable = std::all_of(name.begin(), name.end(), [](char c) { return c > 0x20 && c < 0x7F; });
    if (name.size() != 12 || !printable || !ParseDayFileName(name)) return 0;
    const ImportJournal::Entry entry = ImportJournal::Describe(name, content);
    fuzz::Require(ImportJournal(kept).Contains(entry) == journal.Contains(entry),
                  "a journal written back knows the day files it knew");
    ImportJournal added(kept);
    added.Add(entry);
    fuzz::Require(ImportJournal(added.Text()).Contains(entry), "a day file added is known afterwards");
    return 0;
}
