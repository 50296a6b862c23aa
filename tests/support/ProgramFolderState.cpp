#include "support/ProgramFolderState.h"

#include <filesystem>

#include "core/base/IniText.h"
#include "core/base/ProgramFolder.h"
#include "support/TempFolder.h"

namespace kiro::test {

namespace fs = std::filesystem;

int64_t ProgramFolderState::StoredSteps() const {
    int64_t sum = 0;
    for (const auto& [name, bytes] : months)
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            sum += static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    return sum;
}

ProgramFolderState ReadProgramFolderState(const std::string& folder) {
    ProgramFolderState state;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder + "/Data", error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 14 && name.rfind("Kiro", 0) == 0 && entry.path().extension() == ".BIN")
            state.months[name] = TempFolder::ReadFile(entry.path().string());
        else
            state.strays.push_back("Data/" + name);
    }
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".tmp") != std::string::npos || name == kCommitRecordName) state.strays.push_back(name);
    }
    const std::string settings = TempFolder::ReadFile(folder + "/" + kSettingsFileName);
    state.totalSteps = FindIniValue(settings, "Summary", "TotalSteps").value_or("");
    state.totalPeriod = FindIniValue(settings, "Summary", "TotalPeriod").value_or("");
    return state;
}

std::ostream& operator<<(std::ostream& out, const ProgramFolderState& state) {
    out << state.months.size() << " months, TotalSteps=" << state.totalSteps
        << " TotalPeriod=" << state.totalPeriod;
    for (const std::string& stray : state.strays) out << " stray " << stray;
    return out;
}

}  // namespace kiro::test
