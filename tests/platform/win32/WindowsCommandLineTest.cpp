// The command line the launcher builds: Windows splits it back into the very words it was made
// from. (That the started program gets them is tested with the launcher, on every system.)
#include "platform/win32/WindowsCommandLine.h"

#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../AwkwardWords.h"

namespace kiro::win32_platform {
namespace {

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
    const std::vector<std::string> awkward = test::AwkwardWords();
    for (const std::string& word : awkward) {
        const std::vector<std::string> split = SplitAsWindowsDoes(CommandLineFor(program, {&word, 1}));
        ASSERT_EQ(split.size(), 2u) << "[" << word << "] became " << CommandLineFor(program, {&word, 1});
        EXPECT_EQ(split[0], program);
        EXPECT_EQ(split[1], word) << "from " << QuoteArgument(word);
    }

    std::vector<std::string> all = {program};
    all.insert(all.end(), awkward.begin(), awkward.end());
    EXPECT_EQ(SplitAsWindowsDoes(CommandLineFor(program, awkward)), all);
}

}  // namespace
}  // namespace kiro::win32_platform
