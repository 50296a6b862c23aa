#include "platform/linux/PosixFileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/ErrorCodes.h"
#include "support/TempFolder.h"

namespace kiro::linux_platform {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, ReadsOnlyRegularFilesAndNeverThroughALink) {
    folder.Write("outside.txt", "secret");
    fs::create_symlink(folder.File("outside.txt"), folder.File("link.KRO"));
    fs::create_symlink(folder.File("nowhere"), folder.File("dangling.KRO"));
    fs::create_directories(folder.File("folder.KRO"));
    ASSERT_EQ(mkfifo(folder.File("pipe.KRO").c_str(), 0644), 0);

    EXPECT_EQ(files.ReadFile(folder.File("outside.txt"), 100, OverLimit::Refuse).bytes, "secret");
    const struct {
        const char* name;
        std::errc error;
    } refused[] = {{"link.KRO", std::errc::too_many_symbolic_link_levels},
                   {"dangling.KRO", std::errc::too_many_symbolic_link_levels},
                   {"folder.KRO", std::errc::is_a_directory},
                   {"pipe.KRO", std::errc::invalid_argument},
                   {"missing.KRO", std::errc::no_such_file_or_directory}};
    for (const auto& c : refused) {
        const FileContent read = files.ReadFile(folder.File(c.name), 100, OverLimit::Refuse);
        EXPECT_EQ(read.error, c.error) << c.name;
        EXPECT_TRUE(read.bytes.empty()) << c.name;
        EXPECT_FALSE(files.OpensForReading(folder.File(c.name))) << c.name;
        std::error_code error;
        EXPECT_EQ(files.OpenToRead(folder.File(c.name), error), nullptr) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
    EXPECT_TRUE(IsMissing(files.ReadFile(folder.File("missing.KRO"), 100, OverLimit::Refuse).error));
}

TEST_F(PosixFileSystemTest, AFileReadInPiecesComesWholeAndEndsEmpty) {
    std::string content(10000, 'x');
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>('a' + i % 26);
    folder.Write("long.csv", content);
    std::error_code error;
    const auto file = files.OpenToRead(folder.File("long.csv"), error);
    ASSERT_NE(file, nullptr) << error.message();
    std::string read, piece = "left over";
    do {
        ASSERT_TRUE(test::Ok(file->Read(piece, 4096)));
        EXPECT_LE(piece.size(), 4096u);
        read += piece;
    } while (!piece.empty());
    EXPECT_EQ(read, content);
}

TEST_F(PosixFileSystemTest, WritesNeverGoThroughALink) {
    folder.Write("outside.txt", "keep");
    fs::create_symlink(folder.File("outside.txt"), folder.File("CLOCK.TXT"));
    fs::create_symlink(folder.File("created-outside"), folder.File("USBWATCH.DAT"));
    EXPECT_EQ(files.WriteFile(folder.File("CLOCK.TXT"), "new", Durability::Flushed),
              std::errc::too_many_symbolic_link_levels);
    EXPECT_EQ(files.WriteFile(folder.File("USBWATCH.DAT"), "new", Durability::Flushed),
              std::errc::too_many_symbolic_link_levels);
    EXPECT_EQ(folder.Read("outside.txt"), "keep");
    EXPECT_FALSE(fs::exists(folder.File("created-outside")));
    // Removing a link removes the link, not what it points to.
    EXPECT_TRUE(test::Ok(files.Remove(folder.File("CLOCK.TXT"))));
    EXPECT_EQ(folder.Read("outside.txt"), "keep");
}

TEST_F(PosixFileSystemTest, CopiesALargeFileWholeOverALongerOne) {
    std::string content(3 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 % 251);
    folder.Write("big.bin", content);
    folder.Write("copy.bin", std::string(content.size() + 5000, 'x'));
    ASSERT_TRUE(test::Ok(files.CopyFile(folder.File("big.bin"), folder.File("copy.bin"))));
    EXPECT_TRUE(folder.Read("copy.bin") == content) << "every chunk, and nothing of the old file after it";
    ASSERT_TRUE(test::Ok(files.CopyFile(folder.File("big.bin"), folder.File("new.bin"))));
    EXPECT_TRUE(folder.Read("new.bin") == content);
}

TEST_F(PosixFileSystemTest, CopiesNeverGoThroughALinkNorOntoTheSourceItself) {
    folder.Write("outside.txt", "keep");
    folder.Write("source.txt", "data");
    fs::create_symlink(folder.File("outside.txt"), folder.File("link.txt"));
    fs::create_symlink(folder.File("created-outside"), folder.File("dangling.txt"));
    fs::create_directories(folder.File("folder"));
    fs::create_hard_link(folder.File("source.txt"), folder.File("hard.txt"));
    const struct {
        const char* from;
        const char* to;
        std::errc error;
    } refused[] = {{"link.txt", "copy.txt", std::errc::too_many_symbolic_link_levels},
                   {"source.txt", "link.txt", std::errc::too_many_symbolic_link_levels},
                   {"source.txt", "dangling.txt", std::errc::too_many_symbolic_link_levels},
                   {"folder", "copy.txt", std::errc::is_a_directory},
                   {"source.txt", "folder", std::errc::is_a_directory},
                   {"missing.txt", "copy.txt", std::errc::no_such_file_or_directory},
                   {"source.txt", "source.txt", std::errc::invalid_argument},
                   {"source.txt", "hard.txt", std::errc::invalid_argument}};
    for (const auto& c : refused)
        EXPECT_EQ(files.CopyFile(folder.File(c.from), folder.File(c.to)), c.error)
            << c.from << " -> " << c.to;
    EXPECT_EQ(folder.Read("outside.txt"), "keep");
    EXPECT_EQ(folder.Read("source.txt"), "data");
    EXPECT_FALSE(fs::exists(folder.File("created-outside")));
    EXPECT_FALSE(fs::exists(folder.File("copy.txt"))) << "no target is made for a source that cannot be read";
}

TEST_F(PosixFileSystemTest, ReadLimits) {
    folder.Write("big", std::string(5000, 'x'));
    EXPECT_EQ(files.ReadFile(folder.File("big"), 4999, OverLimit::Refuse).error, std::errc::file_too_large);
    EXPECT_EQ(files.ReadFile(folder.File("big"), 5000, OverLimit::Refuse).bytes.size(), 5000u);
    EXPECT_EQ(files.ReadFile(folder.File("big"), 100, OverLimit::ReadStart).bytes, std::string(100, 'x'));
    EXPECT_EQ(files.ReadFile(folder.File("big"), 0, OverLimit::ReadStart).error, std::error_code{});
}

TEST_F(PosixFileSystemTest, ListingTellsKindsWithoutFollowingLinks) {
    folder.Write("a.TXT", "");
    fs::create_directories(folder.File("sub"));
    fs::create_symlink(folder.File("sub"), folder.File("link"));
    FolderListing listing = files.ListFolder(folder.Path());
    ASSERT_FALSE(listing.error);
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    ASSERT_EQ(listing.entries.size(), 3u);
    EXPECT_EQ(listing.entries[0].kind, EntryKind::Regular);
    EXPECT_EQ(listing.entries[1].kind, EntryKind::Link);
    EXPECT_EQ(listing.entries[2].kind, EntryKind::Folder);
    EXPECT_TRUE(IsMissing(files.ListFolder(folder.File("none")).error));
}

TEST_F(PosixFileSystemTest, FoldersAreMadeOnceAndFlushed) {
    EXPECT_TRUE(test::Ok(files.MakeFolder(folder.File("Data"))));
    EXPECT_TRUE(test::Ok(files.MakeFolder(folder.File("Data")))) << "one that exists is no error";
    folder.Write("file", "");
    EXPECT_EQ(files.MakeFolder(folder.File("file")), std::errc::file_exists) << "a file of that name is";
    EXPECT_TRUE(test::Ok(files.SyncFolder(folder.File("Data"))));
    EXPECT_TRUE(IsMissing(files.SyncFolder(folder.File("none"))));
}

TEST_F(PosixFileSystemTest, AFileIsReplaceableOnlyWithItsFolderWritable) {
    folder.Write("program", "x");
    EXPECT_TRUE(files.MayReplace(folder.File("program")));
    EXPECT_FALSE(files.MayReplace(folder.File("none"))) << "a missing program";
    EXPECT_FALSE(files.MayReplace(folder.File("none/program")));
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser may write whatever the permissions say";
    // As installed for the whole system: the file and its folder belong to someone else.
    fs::create_directories(folder.File("system"));
    folder.Write("system/program", "x");
    fs::permissions(folder.File("system"), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(files.MayReplace(folder.File("system/program"))) << "a folder that takes no new name";
    fs::permissions(folder.File("system"), fs::perms::owner_write, fs::perm_options::add);
    fs::permissions(folder.File("system/program"), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(files.MayReplace(folder.File("system/program"))) << "a file that takes no writes";
}

TEST_F(PosixFileSystemTest, OneLockHolderAtATimeOnFilesAndFolders) {
    for (const std::string& path : {folder.File("KiroMeter2.lock"), folder.Path()}) {
        std::error_code error;
        auto first = files.TryLock(path, error);
        ASSERT_TRUE(first) << error.message();
        EXPECT_FALSE(files.TryLock(path, error)) << path;
        EXPECT_EQ(error, std::errc::resource_unavailable_try_again);
        first.reset();
        EXPECT_TRUE(files.TryLock(path, error)) << "free again once the holder lets go";
    }
    std::error_code error;
    fs::create_symlink(folder.File("elsewhere"), folder.File("linked.lock"));
    EXPECT_FALSE(files.TryLock(folder.File("linked.lock"), error));
    EXPECT_FALSE(fs::exists(folder.File("elsewhere"))) << "a lock file is never made through a link";
}

}  // namespace
}  // namespace kiro::linux_platform
