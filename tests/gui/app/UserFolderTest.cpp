#include "gui/app/UserFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "core/base/ProgramFolder.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

namespace kiro::gui {
namespace {

namespace fs = std::filesystem;
using test::ScopedVariable;

// Where the desktop keeps a person's data: the folder the program makes its own inside it.
#if defined(_WIN32)
constexpr const char* kDataHomeVariable = "APPDATA";
#else
constexpr const char* kDataHomeVariable = "XDG_DATA_HOME";
#endif

TEST(UserFolderPathTest, FollowsTheBaseDirectoryRules) {
#if defined(_WIN32)
    GTEST_SKIP() << "Linux's own: Windows keeps the folder in APPDATA, not by the XDG base-directory rules";
#endif
    struct Row {
        const char* name;
        const char* xdgDataHome;
        const char* home;
        const char* expected;  // empty: no folder
    };
    const Row rows[] = {
        {"XdgDataHomeWins", "/data", "/home/ann", "/data/KiroMeter2"},
        {"UnsetXdgDataHomeMeansHomesShare", nullptr, "/home/ann", "/home/ann/.local/share/KiroMeter2"},
        {"EmptyXdgDataHomeMeansHomesShare", "", "/home/ann", "/home/ann/.local/share/KiroMeter2"},
        {"RelativeXdgDataHomeIsIgnored", "data", "/home/ann", "/home/ann/.local/share/KiroMeter2"},
        {"NoHomeNoFolder", nullptr, nullptr, ""},
        {"EmptyHomeNoFolder", nullptr, "", ""},
        {"RelativeHomeNoFolder", nullptr, "ann", ""},
    };
    for (const Row& row : rows) {
        std::string error;
        EXPECT_EQ(UserFolderPath(row.xdgDataHome, row.home, error), row.expected) << row.name;
        EXPECT_EQ(error.empty(), *row.expected != '\0') << row.name << ": " << error;
    }
}

TEST(PrepareUserFolderTest, AMissingFolderIsMadeWithItsParentsForItsOwnerAlone) {
    test::TempFolder temp;
    const std::string folder = temp.File("home/.local/share/KiroMeter2");
    std::string error;
    ASSERT_TRUE(PrepareUserFolder(folder, error)) << error;
    EXPECT_TRUE(fs::is_directory(folder));
#if !defined(_WIN32)  // Windows folders have no mode bits: the folder under APPDATA is its owner's
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
#endif
}

TEST(PrepareUserFolderTest, AnExistingFolderIsKeptAsItIs) {
    test::TempFolder temp;
    temp.Write("KiroMeter2/KiroMeter2.INI", "[Personal]\nHeight=172\n");
    const std::string folder = temp.File("KiroMeter2");
#if !defined(_WIN32)  // Windows folders have no mode bits
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
#endif
    std::string error;
    ASSERT_TRUE(PrepareUserFolder(folder, error)) << error;
    EXPECT_EQ(temp.Read("KiroMeter2/KiroMeter2.INI"), "[Personal]\nHeight=172\n");
#if !defined(_WIN32)
    EXPECT_EQ(fs::status(folder).permissions(),
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
#endif
}

TEST(PrepareUserFolderTest, WhatCannotServeAsTheFolderIsReportedAndLeftAlone) {
    test::TempFolder temp;
    temp.Write("KiroMeter2", "a file, not a folder");
    temp.Write("share", "a file where a parent folder belongs");
    struct Row {
        const char* name;
        std::string folder;
        const char* reason;
    };
    const Row rows[] = {
        {"AFileInItsPlace", temp.File("KiroMeter2"), "is not a folder"},
        {"AFileInPlaceOfAParent", temp.File("share/KiroMeter2"), "cannot create"},
    };
    for (const Row& row : rows) {
        std::string error;
        EXPECT_FALSE(PrepareUserFolder(row.folder, error)) << row.name;
        EXPECT_NE(error.find(row.reason), std::string::npos) << row.name << ": " << error;
        EXPECT_NE(error.find(row.folder), std::string::npos) << row.name << ": " << error;
    }
    EXPECT_EQ(temp.Read("KiroMeter2"), "a file, not a folder");
    EXPECT_EQ(temp.Read("share"), "a file where a parent folder belongs");
}

TEST(PrepareUserFolderTest, AFolderThatCannotBeWrittenInIsReported) {
#if defined(_WIN32)
    GTEST_SKIP() << "Linux's own: a Windows folder's read-only mark does not keep files out of it";
#else
    if (::geteuid() == 0) GTEST_SKIP() << "root may write in any folder: run as another user to check this";
    test::TempFolder temp;
    const std::string folder = temp.File("KiroMeter2");
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    std::string error;
    EXPECT_FALSE(PrepareUserFolder(folder, error));
    EXPECT_NE(error.find("cannot write in the user folder " + folder), std::string::npos) << error;
#endif
}

// Puts back the working directory a test changed.
class ScopedWorkingDirectory {
  public:
    ScopedWorkingDirectory() : old_(fs::current_path()) {}
    ~ScopedWorkingDirectory() { fs::current_path(old_); }
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

  private:
    fs::path old_;
};

TEST(EnterUserFolderTest, TheUserFolderBecomesTheProgramFolder) {
    test::TempFolder temp;
    const ScopedVariable dataHome(kDataHomeVariable, temp.File("data"));
    const ScopedWorkingDirectory restore;
    std::string error;
    ASSERT_TRUE(EnterUserFolder(error)) << error;
    EXPECT_EQ(ProgramFolderOfThisProcess(), fs::canonical(temp.File("data/KiroMeter2")).string());
}

TEST(EnterUserFolderTest, AFolderThatCannotBeMadeLeavesTheWorkingDirectory) {
    test::TempFolder temp;
    temp.Write("data", "a file where the data folder belongs");
    const ScopedVariable dataHome(kDataHomeVariable, temp.File("data"));
    const ScopedWorkingDirectory restore;
    const std::string before = ProgramFolderOfThisProcess();
    std::string error;
    EXPECT_FALSE(EnterUserFolder(error));
    EXPECT_NE(error.find(temp.File("data/KiroMeter2")), std::string::npos) << error;
    EXPECT_EQ(ProgramFolderOfThisProcess(), before);
}

}  // namespace
}  // namespace kiro::gui
