#include "gui/demo/DemoDataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace kiro::gui {
namespace {

TEST(DemoDataFolderTest, TheCopyInstalledBesideTheProgramWinsOverTheSourceTree) {
    test::TempFolder temp;
    std::filesystem::create_directories(temp.File("usr/share/kirometer/demo"));
    // Compared as paths: Windows writes the folder with its own separator.
    EXPECT_EQ(std::filesystem::path(
                  DemoDataFolder(temp.File("usr/bin/KiroMeter_X5"), "../share/kirometer/demo", "/src/data")),
              std::filesystem::path(temp.File("usr/share/kirometer/demo")));
}

TEST(DemoDataFolderTest, WithoutAnInstalledCopyTheSourceTreeServes) {
    test::TempFolder temp;
    EXPECT_EQ(DemoDataFolder(temp.File("build/src/gui/KiroMeter_X5"), "../share/kirometer/demo", "/src/data"),
              "/src/data");
    EXPECT_EQ(DemoDataFolder("", "../share/kirometer/demo", "/src/data"), "/src/data");
}

}  // namespace
}  // namespace kiro::gui
