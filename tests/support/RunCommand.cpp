#include "support/RunCommand.h"

#if defined(_WIN32)
#include <windows.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <span>
#include <stdexcept>

#include "platform/win32/WindowsCommandLine.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#endif

#include <array>

#if defined(_WIN32)

namespace kiro::test {
namespace {

// Exit codes from 0xC0000000 up are the status of an exception that ended the program (an
// access violation is 0xC0000005): what a signal is on POSIX.
int ExitStatus(DWORD code) {
    return (code & 0xC0000000u) == 0xC0000000u ? -1 : static_cast<int>(code);
}

// The programs started and not yet waited for, by process id. Their handles are kept: the exit
// code lives only as long as a handle to the process, and the id may go to another process
// once the last one is closed.
class StartedPrograms {
  public:
    void Add(DWORD id, HANDLE process) {
        std::lock_guard lock(mutex_);
        handles_[id] = process;
    }
    HANDLE Take(DWORD id) {
        std::lock_guard lock(mutex_);
        const auto found = handles_.find(id);
        if (found == handles_.end()) return nullptr;
        const HANDLE process = found->second;
        handles_.erase(found);
        return process;
    }

  private:
    std::mutex mutex_;
    std::map<DWORD, HANDLE> handles_;
};

StartedPrograms& Started() {
    static StartedPrograms started;
    return started;
}

// A handle closed when it goes.
class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~OwnedHandle() { Close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return handle_; }
    HANDLE* out() { return &handle_; }
    void Close() {
        if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = nullptr;
    }

  private:
    HANDLE handle_;
};

// NUL as a handle a started program inherits.
HANDLE OpenNul() {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    return CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                       OPEN_EXISTING, 0, nullptr);
}

std::string CommandInterpreter() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length < MAX_PATH ? length : 0) + "\\cmd.exe";
}

// Wine now and then refuses to start a process while many start and end at once (error 1359,
// an internal error of its server); Windows does not. A test is about the program it starts, so
// that refusal is tried again a few times before it counts.
BOOL StartProcess(const std::string& program, std::string& commandLine, STARTUPINFOA& startup,
                  PROCESS_INFORMATION& started) {
    constexpr int kTries = 5;
    for (int tried = 1;; ++tried) {
        if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                           &startup, &started))
            return TRUE;
        if (GetLastError() != ERROR_INTERNAL_ERROR || tried == kTries) return FALSE;
        Sleep(200);
    }
}

}  // namespace

// The line goes to cmd.exe as it is: with /s it drops just the outer pair of quotes put around
// it, and /d keeps the user's AutoRun commands out. Both output handles are the one pipe, so
// nothing is appended to the line (cmd would echo the blank before an appended "2>&1"). CR LF
// becomes LF, as a POSIX shell would have given it.
CommandResult RunCommand(const std::string& commandLine, const OutputWatcher& watcher) {
    CommandResult result;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    OwnedHandle ours;
    OwnedHandle theirs;
    // A command that cannot be run says why, for the test's failure message.
    const auto failed = [&result](const char* what) {
        result.output = std::string(what) + " failed: Windows error " + std::to_string(GetLastError());
        return result;
    };
    if (!CreatePipe(ours.out(), theirs.out(), &inherited, 0)) return failed("CreatePipe");
    SetHandleInformation(ours.get(), HANDLE_FLAG_INHERIT, 0);
    const OwnedHandle nul(OpenNul());
    if (nul.get() == INVALID_HANDLE_VALUE) return failed("opening NUL");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.get();
    startup.hStdOutput = startup.hStdError = theirs.get();
    const std::string interpreter = CommandInterpreter();
    std::string line = "cmd.exe /d /s /c \"" + commandLine + "\"";
    PROCESS_INFORMATION started{};
    if (!StartProcess(interpreter, line, startup, started)) return failed("CreateProcess");
    const OwnedHandle process(started.hProcess);
    CloseHandle(started.hThread);
    // Only the started programs hold the writing end now: the pipe ends when the last of them does.
    theirs.Close();

    std::array<char, 4096> chunk{};
    DWORD got = 0;
    while (ReadFile(ours.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) && got > 0) {
        // A CR LF may be split between two reads: the last character read before is looked at again.
        const size_t from = result.output.empty() ? 0 : result.output.size() - 1;
        result.output.append(chunk.data(), got);
        for (size_t at = result.output.find("\r\n", from); at != std::string::npos;
             at = result.output.find("\r\n", at))
            result.output.erase(at, 1);
        if (watcher) watcher(result.output);
    }
    DWORD code = 0;
    if (WaitForSingleObject(process.get(), INFINITE) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process.get(), &code))
        result.exitCode = ExitStatus(code);
    if (result.exitCode < 0) {
        std::array<char, 64> status{};
        std::snprintf(status.data(), status.size(), "[cmd.exe ended with status 0x%08lX]",
                      static_cast<unsigned long>(code));
        result.output += status.data();
    }
    return result;
}

std::string StandardErrorOnly(const std::string& command) {
    return command + " >NUL";
}

std::string StandardOutputOnly(const std::string& command) {
    return command + " 2>NUL";
}

std::string InFolder(const std::string& folder, const std::string& command) {
    // /d: the folder may be on another drive.
    return "cd /d " + ShellQuote(folder) + " && " + command;
}

int StartProgram(const std::vector<std::string>& argv) {
    if (argv.empty()) return -1;
    // Its standard handles are all given, so its input is NUL too: nothing is typed into it.
    const OwnedHandle nul(OpenNul());
    if (nul.get() == INVALID_HANDLE_VALUE) return -1;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();
    std::string commandLine = win32_platform::CommandLineFor(argv[0], std::span(argv).subspan(1));
    PROCESS_INFORMATION started{};
    if (!StartProcess(argv[0], commandLine, startup, started)) return -1;
    CloseHandle(started.hThread);
    Started().Add(started.dwProcessId, started.hProcess);
    return static_cast<int>(started.dwProcessId);
}

void KillProgram(int pid) {
    // The handle stays with the started programs, for WaitForProgram.
    const HANDLE process = Started().Take(static_cast<DWORD>(pid));
    if (!process) return;
    TerminateProcess(process, 1);
    Started().Add(static_cast<DWORD>(pid), process);
}

int WaitForProgram(int pid) {
    const HANDLE process = Started().Take(static_cast<DWORD>(pid));
    if (!process) return -1;
    DWORD code = 0;
    const bool ended =
        WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return ended ? ExitStatus(code) : -1;
}

std::string ShellQuote(const std::string& word) {
    // Between double quotes cmd.exe takes its own special characters literally, but a quote in
    // the word would end the quoted part, and %NAME% is replaced even there: a test must not run
    // a command other than the one it wrote.
    if (word.find_first_of("\"%\r\n") != std::string::npos)
        throw std::invalid_argument("cmd.exe cannot be given this word unchanged: " + word);
    return win32_platform::QuoteArgument(word);
}

}  // namespace kiro::test

#else

namespace kiro::test {

CommandResult RunCommand(const std::string& commandLine, const OutputWatcher& watcher) {
    CommandResult result;
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> chunk{};
    // read, not fread: fread would wait for a whole chunk, and the watcher is to see output as
    // it comes.
    ssize_t got;
    while ((got = read(fileno(pipe), chunk.data(), chunk.size())) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        result.output.append(chunk.data(), static_cast<size_t>(got));
        if (watcher) watcher(result.output);
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

int StartProgram(const std::vector<std::string>& argv) {
    std::vector<char*> arguments;
    for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    char lang[] = "LANG=C";
    char* environment[] = {lang, nullptr};
    const int failed = posix_spawn(&pid, arguments[0], &actions, nullptr, arguments.data(), environment);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

std::string StandardErrorOnly(const std::string& command) {
    // In parentheses: the "2>&1" added to every command line comes after the output is gone.
    return "(" + command + " >/dev/null)";
}

std::string StandardOutputOnly(const std::string& command) {
    return "(" + command + " 2>/dev/null)";
}

std::string InFolder(const std::string& folder, const std::string& command) {
    return "cd " + ShellQuote(folder) + " && " + command;
}

void KillProgram(int pid) {
    kill(pid, SIGKILL);
}

int WaitForProgram(int pid) {
    int status = 0;
    pid_t waited;
    while ((waited = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    // No such child (never started, or already waited for) is no exit status, least of all 0.
    if (waited < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace kiro::test

#endif
