#include "cli/ConsoleHost.h"

#include <ostream>

namespace kiro::cli {

void ConsoleHost::SetStatusText(const std::string& text) {
    if (!text.empty()) out_ << Utf8(text) << "\n";
}

void ConsoleHost::ShowMessage(const std::string& text, const std::string& caption) {
    out_ << "[" << Utf8(caption) << "] " << Utf8(text) << "\n";
}

bool ConsoleHost::AskYesNo(const std::string& caption, const std::string& message) {
    out_ << "[" << Utf8(caption) << "] " << Utf8(message) << " Yes\n";
    return true;
}

}  // namespace kiro::cli
