#include "support/ScriptedHost.h"

#include <algorithm>

namespace kiro::test {

bool ScriptedHost::Answer(const std::string& line) {
    Record(line);
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedHost::PumpMessages() {
    // Pending events do not pump again while they run, as in a real event loop.
    if (!onPump || pumping_) return;
    pumping_ = true;
    onPump();
    pumping_ = false;
}

std::vector<std::string> ScriptedHost::Lines(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : log_)
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
}

int ScriptedHost::Count(const std::string& line) const {
    return static_cast<int>(std::count(log_.begin(), log_.end(), line));
}

}  // namespace kiro::test
