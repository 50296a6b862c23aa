#pragma once
#include <cstdint>
#include <string>

namespace kiro {

// A record of every day file that has been stored, by name, size and a hash of its content.
// A day file whose deletion from the watch failed would otherwise be added to the store again
// at the next collection; with the journal it is recognised and never counted twice.
class ImportJournal {
public:
    explicit ImportJournal(std::string path) : path_(std::move(path)) {}

    struct Entry {
        std::string name;
        uint64_t size = 0;
        uint64_t hash = 0;
    };
    static Entry Describe(const std::string& name, const std::string& content);

    bool Contains(const Entry& entry) const;
    // Appends one entry and flushes it; false when the journal cannot be written.
    bool Add(const Entry& entry) const;

private:
    std::string path_;
};

}  // namespace kiro
