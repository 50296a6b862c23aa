// The check of the core's include directions (scripts/check-layering), run on the repository and
// on a tree with includes planted against them.
#include <gtest/gtest.h>

#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

// The check is a shell script of the development machine: there is no bash under Windows.
#if !defined(_WIN32)
test::CommandResult CheckLayering(const std::string& root) {
    return test::RunCommand("bash " +
                            test::ShellQuote(std::string(KIRO_SOURCE_DIR) + "/scripts/check-layering") + " " +
                            test::ShellQuote(root));
}

TEST(LayeringCheckTest, TheRepositoryKeepsTheDirections) {
    const test::CommandResult result = CheckLayering(KIRO_SOURCE_DIR);
    EXPECT_EQ(result.exitCode, 0) << result.output;
}

TEST(LayeringCheckTest, EveryIncludeAgainstTheDirectionsIsNamed) {
    test::TempFolder tree;
    tree.Write("src/core/base/Below.h", "#include \"core/app/App.h\"\n#include <vector>\n");
    tree.Write("src/core/store/Store.cpp",
               "#include \"core/watch/WatchSettings.h\"\n#include \"core/base/Format.h\"\n");
    tree.Write("src/core/watchdisk/Feature.cpp",
               "#include \"core/watchconfig/ClockFile.h\"\n#include \"core/app/App.h\"\n"
               "#include \"platform/NativePlatform.h\"\n#include <unistd.h>\n#include <QString>\n"
               "#include \"generated/TextId.h\"\n");
    tree.Write("src/core/gadgets/Unknown.h", "");
    const test::CommandResult result = CheckLayering(tree.Path());
    EXPECT_EQ(result.exitCode, 1) << result.output;
    for (const char* finding :
         {"src/core/base/Below.h:1: base may not include \"core/app/App.h\"",
          "src/core/store/Store.cpp:1: store may not include \"core/watch/WatchSettings.h\"",
          "src/core/watchdisk/Feature.cpp:1: watchdisk may not include \"core/watchconfig/ClockFile.h\"",
          "src/core/watchdisk/Feature.cpp:3: the core includes only core headers, not "
          "\"platform/NativePlatform.h\"",
          "src/core/watchdisk/Feature.cpp:4: the core includes no system header but the C++ library's: "
          "<unistd.h>",
          "src/core/watchdisk/Feature.cpp:5: the core includes no system header but the C++ library's: "
          "<QString>",
          "src/core/gadgets/Unknown.h: module 'gadgets' has no place in the core's layers",
          "layering: 7 include(s) against the core's directions"})
        EXPECT_NE(result.output.find(finding), std::string::npos) << finding << "\n" << result.output;
}

#endif

}  // namespace
}  // namespace kiro
