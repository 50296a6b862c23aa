#include "core/watchconfig/CDiskObject.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <filesystem>
#include <set>

#include "platform/NativePlatform.h"
#include "support/FaultyFileSystem.h"
#include "support/SymbolicLinks.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

// In the form the paths are given back: every separator a '/'.
std::string WithSlash(const fs::path& folder) {
    const std::string text = folder.generic_string();
    return text.ends_with('/') ? text : text + "/";
}

std::string MessageOf(std::errc error) {
    return std::make_error_code(error).message();
}

// Every file and folder below a folder, relative to it, links included.
std::set<std::string> TreeBelow(const std::string& folder) {
    std::set<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        found.insert(fs::relative(entry.path(), folder).generic_string());
    return found;
}

// Each folder comes after its parent, and everything below it follows it without a gap.
void ExpectDepthFirst(const std::vector<std::string>& list) {
    const auto below = [](const std::string& path, const std::string& folder) {
        return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
    };
    for (size_t i = 0; i < list.size(); ++i) {
        size_t end = i + 1;
        while (end < list.size() && below(list[end], list[i])) ++end;
        for (size_t later = end; later < list.size(); ++later)
            EXPECT_FALSE(below(list[later], list[i])) << list[later] << " is apart from " << list[i];
        for (size_t earlier = 0; earlier < i; ++earlier)
            EXPECT_FALSE(below(list[earlier], list[i])) << list[earlier] << " comes before " << list[i];
    }
}

class DiskObjectTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    NativeFileSystem files;
    CDiskObject disk{files};
};

TEST_F(DiskObjectTest, RelativeFoldersAreTakenFromTheCurrentDirectoryWhichStaysAsItWas) {
    const fs::path current = fs::current_path();
    const struct {
        const char* given;
        std::string expected;
    } cases[] = {
        {"data/backup", WithSlash(current) + "data/backup/"},
        {"data\\backup\\", WithSlash(current) + "data/backup/"},
        {"../x", WithSlash(current.parent_path()) + "x/"},
        {"..\\..\\x", WithSlash(current.parent_path().parent_path()) + "x/"},
        {"../", WithSlash(current.parent_path())},
        {"/media/watch", "/media/watch/"},
        {"/media/watch/", "/media/watch/"},
#if defined(_WIN32)
        {"C:\\dir\\file", "C:/dir/file/"},
        {"c:/dir", "c:/dir/"},
        {"Z:", "Z:/"},
        {"Z:\\", "Z:/"},
        {"\\\\server\\share\\dir", "//server/share/dir/"},
#else
        {"A:B", WithSlash(current) + "A:B/"},  // a colon is an ordinary character here
#endif
    };
    for (const auto& c : cases) {
        std::string path = c.given;
        disk.CreateFolderTree(folder.File("leave-an-error?"));
        EXPECT_TRUE(disk.MakeFolderAbsolute(path)) << c.given;
        EXPECT_EQ(path, c.expected) << c.given;
        EXPECT_EQ(disk.ErrorText(), "") << "a success clears the last failure";
    }
    std::string file = "notes/today.txt";
    EXPECT_TRUE(disk.MakePathAbsolute(file));
    EXPECT_EQ(file, WithSlash(current) + "notes/today.txt");
    EXPECT_EQ(fs::current_path(), current);
}

TEST_F(DiskObjectTest, StepsUpStopAtTheRoot) {
    const fs::path current = fs::current_path();
    const std::string root = WithSlash(current.root_path());
    std::string path;
    for ([[maybe_unused]] const fs::path& level : current.relative_path()) path += "../";
    path += "../../x";
    ASSERT_TRUE(disk.MakeFolderAbsolute(path));
    EXPECT_EQ(path, root + "x/");
}

TEST_F(DiskObjectTest, UnusablePathsAreRefusedByEveryOperation) {
    const std::string target = folder.File("target");
    // An empty path would mean the root folder: a copy from it would take the whole disk.
    std::vector<std::string> unusable{"da?ta", "data/*", "/media/a?b", ""};
#if defined(_WIN32)
    // Below the current folder of drive A, which this process cannot know.
    unusable.insert(unusable.end(), {"A:B", "c:dir\\file"});
#endif
    for (const std::string& given : unusable) {
        std::string path = given;
        EXPECT_FALSE(disk.MakeFolderAbsolute(path)) << given;
        EXPECT_EQ(path, given) << "left as it was";
        EXPECT_EQ(disk.ErrorText(), CDiskObject::kInternalError) << given;
        EXPECT_FALSE(disk.MakePathAbsolute(path)) << given;
        EXPECT_FALSE(disk.FolderExists(given)) << given;
        EXPECT_EQ(disk.ErrorText(), CDiskObject::kInternalError) << given;
        EXPECT_FALSE(disk.CreateFolderTree(given)) << given;
        std::vector<std::string> list;
        EXPECT_FALSE(disk.ListFolderFiles(given, list, ListForm::Relative)) << given;
        EXPECT_FALSE(disk.ListSubfolders(given, list, ListForm::Relative)) << given;
        EXPECT_TRUE(list.empty());
        EXPECT_FALSE(disk.CopyFolderTree(given, target)) << given;
        EXPECT_FALSE(disk.CopyFolderFiles(given, target)) << given;
        EXPECT_EQ(disk.ErrorText(), CDiskObject::kInternalError) << given;
    }
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(DiskObjectTest, FolderExistsOnlyForFolders) {
    folder.Write("file", "");
    fs::create_directories(folder.File("sub"));
    EXPECT_TRUE(disk.FolderExists(folder.File("sub")));
    EXPECT_TRUE(disk.FolderExists(folder.Path() + "\\sub\\"));
    EXPECT_FALSE(disk.FolderExists(folder.File("file")));
    EXPECT_FALSE(disk.FolderExists(folder.File("none")));
    EXPECT_EQ(disk.ErrorText(), "");
}

TEST_F(DiskObjectTest, CreatesEveryMissingLevel) {
    fs::create_directories(folder.File("a"));
    EXPECT_TRUE(disk.CreateFolderTree(folder.File("a/b/c")));
    EXPECT_TRUE(fs::is_directory(folder.File("a/b/c")));
    EXPECT_TRUE(disk.CreateFolderTree(folder.File("a/b/c"))) << "a tree that is there already";

    folder.Write("a/file", "");
    EXPECT_FALSE(disk.CreateFolderTree(folder.File("a/file/d")));
    EXPECT_EQ(disk.ErrorText(), MessageOf(std::errc::not_a_directory) + " " + folder.File("a/file/d/"));
}

TEST_F(DiskObjectTest, ListsFilesInByteOrderWithoutFoldersOrLinks) {
#if defined(_WIN32)
    // Windows file names ignore letter case: "A.txt" would be "a.txt" again.
    const std::string upper = "C.txt";
#else
    const std::string upper = "A.txt";
#endif
    for (const std::string& name :
         {std::string("b.txt"), std::string("a.txt"), upper, std::string("\xC3\xA9.txt")})
        folder.Write(name, "");
    fs::create_directories(folder.File("folder.txt"));
    const std::string noLink = test::MakeSymbolicLink(folder.File("b.txt"), folder.File("link.txt"));
#if !defined(_WIN32)  // where Windows makes no link, the listing is still checked without one
    ASSERT_EQ(noLink, "");
#endif
#if !defined(_WIN32)  // Windows has no named pipes among files
    ASSERT_EQ(mkfifo(folder.File("pipe.txt").c_str(), 0644), 0);
#endif

    std::vector<std::string> list{"m"};
    EXPECT_TRUE(disk.ListFolderFiles(folder.Path(), list, ListForm::Relative));
    EXPECT_EQ(list, (std::vector<std::string>{upper, "a.txt", "b.txt", "m", "\xC3\xA9.txt"}))
        << "each inserted before the first greater entry; bytes above 0x7F sort last";

    list.clear();
    EXPECT_TRUE(disk.ListFolderFiles(folder.Path(), list, ListForm::Full));
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], folder.File(upper));

    list.clear();
    EXPECT_TRUE(disk.ListFolderFiles(folder.File("none"), list, ListForm::Relative));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(disk.ErrorText(), "");

    folder.Write("plain", "");
    EXPECT_FALSE(disk.ListFolderFiles(folder.File("plain"), list, ListForm::Relative));
    EXPECT_EQ(disk.ErrorText(), MessageOf(std::errc::not_a_directory) + " " + folder.File("plain/*.*"));
}

TEST_F(DiskObjectTest, FiltersTakeWildcardsAndIgnoreLetterCase) {
    for (const char* name : {"20140501.KRO", "20140502.kro", "2014050.KRO", "README", "notes.txt", "a.b.c"})
        folder.Write(name, "");
    const struct {
        const char* filter;
        std::vector<std::string> taken;
    } cases[] = {
        {"*.*", {"2014050.KRO", "20140501.KRO", "20140502.kro", "README", "a.b.c", "notes.txt"}},
        {"*", {"2014050.KRO", "20140501.KRO", "20140502.kro", "README", "a.b.c", "notes.txt"}},
        {"*.kro", {"2014050.KRO", "20140501.KRO", "20140502.kro"}},
        {"2014????.KRO", {"20140501.KRO", "20140502.kro"}},
        {"readme.*", {"README"}},
        {"*.c", {"a.b.c"}},
        {"*o*", {"2014050.KRO", "20140501.KRO", "20140502.kro", "notes.txt"}},
        {"?", {}},
        {"notes.txt?", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> list;
        EXPECT_TRUE(disk.ListFolderFilesMatching(c.filter, folder.Path(), list, ListForm::Relative));
        EXPECT_EQ(list, c.taken) << c.filter;
    }
}

TEST_F(DiskObjectTest, ListsSubfoldersDepthFirstWithoutEnteringLinks) {
    for (const char* path : {"top/a/b/c", "top/a/e", "top/d", "outside/hidden"})
        fs::create_directories(folder.File(path));
    KIRO_LINK_OR_SKIP(folder.File("outside"), folder.File("top/a/link"));
    const std::string top = folder.File("top");

    std::vector<std::string> relative;
    ASSERT_TRUE(disk.ListSubfolders(top, relative, ListForm::Relative));
    EXPECT_EQ(std::set<std::string>(relative.begin(), relative.end()),
              (std::set<std::string>{"a", "a/b", "a/b/c", "a/e", "d"}));
    ExpectDepthFirst(relative);

    std::vector<std::string> full{"kept"};
    ASSERT_TRUE(disk.ListSubfolders(top, full, ListForm::Full));
    ASSERT_EQ(full.size(), relative.size() + 1);
    EXPECT_EQ(full[0], "kept");
    for (size_t i = 0; i < relative.size(); ++i) EXPECT_EQ(full[i + 1], top + "/" + relative[i] + "/");
}

TEST_F(DiskObjectTest, AFolderThatCannotBeReadListsNothing) {
    std::vector<std::string> list;
    EXPECT_FALSE(disk.ListSubfolders(folder.File("none"), list, ListForm::Full));
    EXPECT_EQ(disk.ErrorText(), MessageOf(std::errc::no_such_file_or_directory) + " " + folder.File("none/"));

    fs::create_directories(folder.File("top/a/b"));
    fs::create_directories(folder.File("top/c"));
    test::FaultyFileSystem faulty(files);
    faulty.FailListing("/top/a/b", std::make_error_code(std::errc::io_error));
    CDiskObject faultyDisk(faulty);
    EXPECT_FALSE(faultyDisk.ListSubfolders(folder.File("top"), list, ListForm::Full));
    EXPECT_TRUE(list.empty()) << "not the folders found before the failure";
    EXPECT_EQ(faultyDisk.ErrorText(), MessageOf(std::errc::io_error) + " " + folder.File("top/a/b/"));

    EXPECT_FALSE(faultyDisk.CopyFolderTree(folder.File("top"), folder.File("copy")));
    EXPECT_FALSE(fs::exists(folder.File("copy"))) << "nothing is copied from a tree that was not read whole";
}

TEST_F(DiskObjectTest, CopiesAWholeTreeWithItsEmptyFolders) {
    folder.Write("source/top.txt", "top");
    folder.Write("source/a/one.txt", "one");
    folder.Write("source/a/b/two.bin", std::string("\0\xFF\x01", 3));
    fs::create_directories(folder.File("source/empty"));
    fs::create_directories(folder.File("source/a/b/also-empty"));

    ASSERT_TRUE(disk.CopyFolderTree(folder.File("source"), folder.File("target/x/y"))) << disk.ErrorText();
    const std::string target = folder.File("target/x/y");
    EXPECT_EQ(TreeBelow(target), TreeBelow(folder.File("source")));
    EXPECT_EQ(folder.Read("target/x/y/a/b/two.bin"), std::string("\0\xFF\x01", 3));
    EXPECT_TRUE(fs::is_empty(folder.File("target/x/y/empty")));

    folder.Write("source/a/one.txt", "changed");
    ASSERT_TRUE(disk.CopyFolderTree(folder.File("source"), target)) << "a second copy overwrites";
    EXPECT_EQ(folder.Read("target/x/y/a/one.txt"), "changed");
}

TEST_F(DiskObjectTest, CopyingFromAFolderThatDoesNotExist) {
    EXPECT_TRUE(disk.CopyFolderFiles(folder.File("none"), folder.File("made/here")));
    EXPECT_TRUE(fs::is_directory(folder.File("made/here")));
    EXPECT_EQ(disk.ErrorText(), "");

    EXPECT_FALSE(disk.CopyFolderTree(folder.File("none"), folder.File("tree")));
    EXPECT_EQ(disk.ErrorText(), MessageOf(std::errc::no_such_file_or_directory) + " " + folder.File("none/"));
}

TEST_F(DiskObjectTest, ACopyStopsAtTheFirstFileThatCannotBeWritten) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) folder.Write(std::string("source/") + name, name);
    fs::create_directories(folder.File("target/b.txt"));  // root may write anywhere, but not over a folder

    EXPECT_FALSE(disk.CopyFolderFiles(folder.File("source"), folder.File("target")));
    EXPECT_EQ(disk.ErrorText(), MessageOf(std::errc::is_a_directory) + " " + folder.File("source/b.txt") +
                                    " -> " + folder.File("target/b.txt"));
    EXPECT_EQ(folder.Read("target/a.txt"), "a.txt") << "what was copied before stays";
    EXPECT_FALSE(fs::exists(folder.File("target/c.txt")));
}

TEST_F(DiskObjectTest, AFolderCopiedOntoItselfKeepsItsFiles) {
    folder.Write("source/a.txt", "precious");
    EXPECT_FALSE(disk.CopyFolderFiles(folder.File("source"), folder.File("source")));
    EXPECT_EQ(disk.ErrorText(), MessageOf(std::errc::invalid_argument) + " " + folder.File("source/a.txt") +
                                    " -> " + folder.File("source/a.txt"));
    EXPECT_EQ(folder.Read("source/a.txt"), "precious");
}

TEST_F(DiskObjectTest, LinksInTheSourceAreNeitherFollowedNorCopied) {
    folder.Write("outside/secret.txt", "secret");
    folder.Write("source/plain.txt", "plain");
    folder.Write("source/a/inner.txt", "inner");
    KIRO_LINK_OR_SKIP(folder.File("outside/secret.txt"), folder.File("source/file-link.txt"));
    KIRO_LINK_OR_SKIP(folder.File("outside"), folder.File("source/folder-link"));
    KIRO_LINK_OR_SKIP(folder.File("outside"), folder.File("source/a/deeper-link"));

    ASSERT_TRUE(disk.CopyFolderTree(folder.File("source"), folder.File("target"))) << disk.ErrorText();
    EXPECT_EQ(TreeBelow(folder.File("target")), (std::set<std::string>{"plain.txt", "a", "a/inner.txt"}));
}

TEST_F(DiskObjectTest, ALinkStandingInTheTargetIsNotEntered) {
    folder.Write("source/a/file.txt", "data");
    fs::create_directories(folder.File("outside"));
    fs::create_directories(folder.File("target"));
    KIRO_LINK_OR_SKIP(folder.File("outside"), folder.File("target/a"));

    EXPECT_FALSE(disk.CopyFolderTree(folder.File("source"), folder.File("target")));
    EXPECT_EQ(disk.ErrorText(), MessageOf(std::errc::file_exists) + " " + folder.File("target/a/"));
    EXPECT_TRUE(fs::is_empty(folder.File("outside")));
}

}  // namespace
}  // namespace kiro
