#pragma once
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace kiro::test {

// A program folder as the next start of the program sees it: the month files, the totals, and
// anything that should not be there once a start has run (staged files, a commit record, files
// in Data that are not months).
struct ProgramFolderState {
    std::map<std::string, std::string> months;  // file name and content
    std::string totalSteps;
    std::string totalPeriod;
    std::vector<std::string> strays;

    bool operator==(const ProgramFolderState&) const = default;
    // The same months and totals, whatever else lies about.
    bool SameData(const ProgramFolderState& other) const {
        return months == other.months && totalSteps == other.totalSteps && totalPeriod == other.totalPeriod;
    }
    // Every step in the month files.
    int64_t StoredSteps() const;
};

ProgramFolderState ReadProgramFolderState(const std::string& folder);
std::ostream& operator<<(std::ostream& out, const ProgramFolderState& state);

}  // namespace kiro::test
