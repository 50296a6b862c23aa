#include "platform/win32/Win32Launcher.h"

#include <stdlib.h>
#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/win32/Win32ProcessInfo.h"
#include "platform/win32/WindowsCommandLine.h"
#include "support/TempFolder.h"

namespace kiro::win32_platform {
namespace {

using namespace std::chrono_literals;

// Words that a naive quoting would split, join or change.
const std::vector<std::string> kAwkwardWords = {
    "plain",
    "two words",
    "",
    "tab\there",
    "say \"hi\"",
    "\"",
    "\"\"",
    "ends with a quote\"",
    "C:\\folder\\",
    "C:\\folder with blanks\\\\",
    "\\",
    "a\\\\b\\c",
    "a\\\"b",
    "\\\\server\\share\\",
    "%PATH% & | < > ^ ( )",
};

// The words CommandLineToArgvW finds in a command line, the way a started program sees them.
std::vector<std::string> SplitAsWindowsDoes(const std::string& line) {
    const std::wstring wide(line.begin(), line.end());  // the words here are ASCII
    int count = 0;
    wchar_t** words = CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::string> split;
    for (int i = 0; words && i < count; ++i) {
        const std::wstring word(words[i]);
        split.emplace_back(word.begin(), word.end());
    }
    LocalFree(words);
    return split;
}

TEST(WindowsCommandLineTest, EveryWordComesBackAsItWasGiven) {
    const std::string program = "C:\\Program Files\\KiroMeter\\tmp\\KiroMeterUpdater.BIN";
    for (const std::string& word : kAwkwardWords) {
        const std::vector<std::string> split = SplitAsWindowsDoes(CommandLineFor(program, {&word, 1}));
        ASSERT_EQ(split.size(), 2u) << "[" << word << "] became " << CommandLineFor(program, {&word, 1});
        EXPECT_EQ(split[0], program);
        EXPECT_EQ(split[1], word) << "from " << QuoteArgument(word);
    }

    std::vector<std::string> all = {program};
    all.insert(all.end(), kAwkwardWords.begin(), kAwkwardWords.end());
    EXPECT_EQ(SplitAsWindowsDoes(CommandLineFor(program, kAwkwardWords)), all);
}

constexpr const char* kWordsInto = "--kiro-write-words-into";

// Not a test: the program started by the test below, this test program once more. It writes
// the words that follow kWordsInto and a file name, as its C runtime split its command line,
// each ended by a zero byte, and renames the file into place once it is whole.
TEST(Win32LauncherStartedProgram, DISABLED_WritesTheWordsItWasGiven) {
    char** word = __argv;
    while (*word && std::strcmp(*word, kWordsInto) != 0) ++word;
    ASSERT_NE(*word, nullptr);
    const std::string target = *++word;
    {
        std::ofstream out(target + ".part", std::ios::binary);
        while (*++word) out << *word << '\0';
    }
    ASSERT_TRUE(MoveFileExA((target + ".part").c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING));
}

TEST(Win32LauncherTest, AStartedProgramGetsEveryWordUnchangedAndRunsOnItsOwn) {
    const test::TempFolder folder;
    const std::string written = folder.File("words");
    std::vector<std::string> arguments = {"--gtest_filter=Win32LauncherStartedProgram.*",
                                          "--gtest_also_run_disabled_tests", kWordsInto, written};
    arguments.insert(arguments.end(), kAwkwardWords.begin(), kAwkwardWords.end());

    Win32Launcher launcher;
    ASSERT_TRUE(launcher.StartDetached(Win32ProcessInfo().OwnProgramPath(), arguments));

    // Nothing waits for the started program: its file shows when it has run.
    const auto until = std::chrono::steady_clock::now() + 60s;
    while (GetFileAttributesA(written.c_str()) == INVALID_FILE_ATTRIBUTES &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(50ms);
    std::ifstream in(written, std::ios::binary);
    ASSERT_TRUE(in) << "the started program wrote nothing";
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> words;
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = bytes.find('\0', start);
        ASSERT_NE(end, std::string::npos);
        words.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(words, kAwkwardWords);
}

TEST(Win32LauncherTest, AProgramThatIsNotThereIsReportedNotStarted) {
    const test::TempFolder folder;
    Win32Launcher launcher;
    EXPECT_FALSE(launcher.StartDetached(folder.File("missing.exe"), {}));
    EXPECT_FALSE(launcher.StartDetached(folder.Path(), {"a folder is no program"}));
}

}  // namespace
}  // namespace kiro::win32_platform
