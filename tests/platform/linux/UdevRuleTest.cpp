// The shipped udev rule opens the SCSI generic node to the desk user for X5 watches only.
#include <fnmatch.h>
#include <gtest/gtest.h>

#include <regex>

#include "support/TempFolder.h"

namespace kiro {
namespace {

TEST(UdevRuleTest, MatchesTheWatchByCharacters12And13OfItsProductAndNothingElse) {
    const std::string rule =
        test::TempFolder::ReadFile(std::string(KIRO_SOURCE_DIR) + "/packaging/60-kirometer-x5.rules");
    std::smatch found;
    ASSERT_TRUE(std::regex_search(rule, found, std::regex(R"re(ATTRS\{model\}=="([^"]*)")re")));
    const std::string pattern = found[1];
    // The kernel shows the 16 characters of the product identification, blanks included.
    for (const char* model : {"STEP WATCH X5C  ", "STEP WATCH X5E  ", "ABCDEFGHIJKX5"})
        EXPECT_EQ(fnmatch(pattern.c_str(), model, 0), 0) << model;
    for (const char* model : {"MEGADISK X5 PRO ", "X5 CARD READER  ", "STEP WATCH  X5  ", "STEP WATCH Y5C  "})
        EXPECT_NE(fnmatch(pattern.c_str(), model, 0), 0) << model;
}

}  // namespace
}  // namespace kiro
