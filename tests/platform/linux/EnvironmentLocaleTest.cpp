// The locale on Linux is taken from the environment in the POSIX order, the machine's own from
// its locale file.
#include <gtest/gtest.h>

#include <map>

#include "platform/linux/EnvironmentLocale.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

TEST(EnvironmentLocaleTest, LcAllThenLcMessagesThenLang) {
    std::map<std::string, std::string> environment{{"LANG", "zh_TW.UTF-8"}, {"LC_MESSAGES", ""}};
    const auto lookup = [&environment](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    };
    kiro::test::TempFolder etc;
    etc.Write("default-locale", "# the machine's locale\nLANG=\"zh_CN.UTF-8\"\n");
    linux_platform::EnvironmentLocale locale(lookup, {etc.File("missing"), etc.File("default-locale")});
    EXPECT_EQ(locale.SystemLanguageName(), "CHS") << "the machine's own file, not the environment";
    EXPECT_EQ(locale.AbbreviatedLanguageName(), "CHT");
    environment["LC_MESSAGES"] = "zh_CN.UTF-8";
    EXPECT_EQ(locale.AbbreviatedLanguageName(), "CHS");
    environment["LC_ALL"] = "en_US.UTF-8";
    EXPECT_EQ(locale.AbbreviatedLanguageName(), "ENU");
}

}  // namespace
}  // namespace kiro
