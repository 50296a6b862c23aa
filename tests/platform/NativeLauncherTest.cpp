// The system's launcher: the program it starts gets every word as it was given, and nothing
// waits for that program.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "AwkwardWords.h"
#include "platform/NativePlatform.h"
#include "support/TempFolder.h"
#include "support/TimeLimits.h"

namespace kiro {
namespace {

using namespace std::chrono_literals;

// The words a file of the word writer holds, each ended by a zero byte; nothing when the file
// is not there or does not end with a zero byte.
std::optional<std::vector<std::string>> WordsIn(const std::string& bytes) {
    if (!bytes.empty() && bytes.back() != '\0') return std::nullopt;
    std::vector<std::string> words;
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = bytes.find('\0', start);
        words.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

TEST(NativeLauncherTest, AStartedProgramGetsEveryWordUnchangedAndRunsOnItsOwn) {
    const test::TempFolder folder;
    const std::string written = folder.File("words");
    std::vector<std::string> arguments = {written};
    const std::vector<std::string> words = test::AwkwardWords();
    arguments.insert(arguments.end(), words.begin(), words.end());

    NativeLauncher launcher;
    ASSERT_TRUE(launcher.StartDetached(KIRO_WRITE_WORDS_PATH, arguments));

    // Nothing waits for the started program: its file shows when it has run. The writer names
    // the file only once it is whole.
    const auto until = std::chrono::steady_clock::now() + test::TimeLimit(60s);
    while (!std::filesystem::exists(written) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(std::filesystem::exists(written)) << "the started program wrote nothing";
    EXPECT_EQ(WordsIn(test::TempFolder::ReadFile(written)), words);
}

TEST(NativeLauncherTest, AProgramThatIsNotThereIsReportedNotStarted) {
    const test::TempFolder folder;
    NativeLauncher launcher;
    EXPECT_FALSE(launcher.StartDetached(folder.File("missing.exe"), {}));
    EXPECT_FALSE(launcher.StartDetached(folder.Path(), {"a folder is no program"}));
}

}  // namespace
}  // namespace kiro
