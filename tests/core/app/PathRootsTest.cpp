// Where a path's root ends, by the rules of the system the tests run on: the steps up from a
// folder and the separator kept at the root depend on it.
#include "core/base/PathRoots.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

TEST(PathRootsTest, TheSlashRootHoldsEverywhere) {
    EXPECT_EQ(PathRootLength("/"), 1u);
    EXPECT_EQ(PathRootLength("/media/watch"), 1u);
    EXPECT_EQ(PathRootLength(""), 0u);
    EXPECT_EQ(PathRootLength("data/backup"), 0u);
    EXPECT_EQ(PathRootLength("../x"), 0u);
    EXPECT_FALSE(IsDriveRelative("data"));
    EXPECT_FALSE(IsDriveRelative("/"));
}

#if defined(_WIN32)
TEST(PathRootsTest, DriveLettersAndSharesAreRootsOnWindows) {
    EXPECT_TRUE(IsPathSeparator('\\'));
    EXPECT_EQ(PathRootLength("C:\\dir\\file"), 3u);
    EXPECT_EQ(PathRootLength("c:/dir/file"), 3u);
    EXPECT_EQ(PathRootLength("Z:/"), 3u);
    EXPECT_EQ(PathRootLength("Z:"), 2u) << "a bare drive is its root";
    EXPECT_EQ(PathRootLength("\\dir"), 1u);
    EXPECT_EQ(PathRootLength("//server/share/dir"), 15u);
    EXPECT_EQ(PathRootLength("\\\\server\\share"), 14u);
    EXPECT_EQ(PathRootLength("//server"), 8u);
    // Not a drive: no letter, or no colon in second place.
    EXPECT_EQ(PathRootLength("1:/x"), 0u);
    EXPECT_EQ(PathRootLength("ab:/x"), 0u);

    EXPECT_TRUE(IsDriveRelative("A:B"));
    EXPECT_TRUE(IsDriveRelative("c:dir\\file"));
    EXPECT_EQ(PathRootLength("A:B"), 0u);
    EXPECT_FALSE(IsDriveRelative("A:"));
    EXPECT_FALSE(IsDriveRelative("A:\\B"));
}
#else
TEST(PathRootsTest, ColonsAndBackslashesAreOrdinaryCharactersElsewhere) {
    EXPECT_FALSE(IsPathSeparator('\\'));
    EXPECT_EQ(PathRootLength("C:/dir"), 0u);
    EXPECT_EQ(PathRootLength("Z:"), 0u);
    EXPECT_EQ(PathRootLength("\\dir"), 0u);
    EXPECT_EQ(PathRootLength("//server/share"), 1u);
    EXPECT_FALSE(IsDriveRelative("A:B"));
}
#endif

}  // namespace
}  // namespace kiro
