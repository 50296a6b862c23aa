// The kiro command line: up to four commands run one after the other on one temporary program
// folder, which is also the working directory, so that settings written by one command are read
// by the next and a watch disk simulated by one is collected by the next. Input: the arguments,
// one per line; an empty line starts the next command.
//
// Arguments that could reach outside the folder are refused: paths with "/" or "..", and the
// inquiry command, which sends INQUIRY to the machine's real removable disks. Day counts are kept
// small so that a run stays short.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "cli/CliContext.h"
#include "cli/FakeCliPlatform.h"
#include "cli/RunKiro.h"

using namespace kiro;

namespace {

constexpr size_t kMaxCommands = 4;
constexpr size_t kMaxArguments = 16;
constexpr int kMaxDays = 62;

using Command = std::vector<std::string>;

// Whether a text holds a number above kMaxDays (the count of "--days N" or ":days=N").
bool DaysTooMany(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        size_t end = at;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
        if (end - at > 2 || (end > at && std::stoi(text.substr(at, end - at)) > kMaxDays)) return true;
        at = std::max(end, at + 1);
    }
    return false;
}

bool Allowed(const Command& command) {
    for (size_t i = 0; i < command.size(); ++i) {
        const std::string& argument = command[i];
        if (argument.find('/') != std::string::npos || argument.find("..") != std::string::npos ||
            argument == "inquiry" || argument.find('\0') != std::string::npos)
            return false;
        if (argument.find("days") != std::string::npos &&
            (DaysTooMany(argument) || (i + 1 < command.size() && DaysTooMany(command[i + 1]))))
            return false;
    }
    return true;
}

std::vector<Command> Commands(std::string_view text) {
    std::vector<Command> commands(1);
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.empty()) {
            if (commands.size() == kMaxCommands) break;
            if (!commands.back().empty()) commands.emplace_back();
            continue;
        }
        if (commands.back().size() < kMaxArguments) commands.back().emplace_back(line);
    }
    if (commands.back().empty()) commands.pop_back();
    return commands;
}

// Runs with the working directory in the folder and the output silenced, and puts both back:
// libFuzzer writes its findings relative to the directory it was started in.
class CommandScope {
  public:
    explicit CommandScope(const std::string& folder) {
        std::filesystem::current_path(folder);
        std::cout.rdbuf(silence_.rdbuf());
        std::cerr.rdbuf(silence_.rdbuf());
    }
    ~CommandScope() {
        std::cout.rdbuf(out_);
        std::cerr.rdbuf(err_);
        std::filesystem::current_path(previous_);
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

  private:
    std::filesystem::path previous_ = std::filesystem::current_path();
    std::ostringstream silence_;
    std::streambuf* out_ = std::cout.rdbuf();
    std::streambuf* err_ = std::cerr.rdbuf();
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // printf output of the commands goes nowhere; libFuzzer reports on standard error.
    fuzz::Require(std::freopen("/dev/null", "w", stdout) != nullptr, "standard output can be silenced");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFolder folder;
    const std::vector<Command> commands = Commands(fuzz::TextOf(data, size));
    for (const Command& command : commands)
        if (!Allowed(command)) return -1;

    folder.Empty();
    const CommandScope scope(folder.Path());
    test::FakeCliPlatform platform;
    for (const Command& command : commands) {
        std::vector<std::string> arguments = {"kiro"};
        arguments.insert(arguments.end(), command.begin(), command.end());
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        cli::CliContext context(platform);
        const int status = cli::RunKiro(static_cast<int>(arguments.size()), argv.data(), context);
        fuzz::Require(status >= 0 && status <= 255, "an exit status fits a process's");
    }
    return 0;
}
