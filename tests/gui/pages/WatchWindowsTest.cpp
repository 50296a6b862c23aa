// The windows opened from the personal graphic page: the display simulation and the factory
// window, over the simulated machine.
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "../WatchPageWorld.h"
#include "gui/pages/CDisplaySimDlg.h"
#include "gui/pages/CFactoryDlg.h"
#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/FileModeWatch.h"

namespace kiro::gui {
namespace {

namespace fs = std::filesystem;

DisplayInput OnlyItem(int item, int effect) {
    DisplayInput input;
    input.disp.fill(kSkipItem);
    input.disp[item] = effect;
    return input;
}

TEST(DisplaySimDlgTest, PlaysTheSequenceAndClosesItselfAtTheEnd) {
    test::WatchPageWorld world;
    DisplayInput input = OnlyItem(6, 0);  // the step count
    CDisplaySimDlg dialog(world.Context(), world.machine.volumes, input);
    EXPECT_EQ(dialog.windowTitle(), "PC Simulation");
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Status()->text(), "Show Kiro");
    EXPECT_FALSE(dialog.Running());
    // The icon, 1 s, the number shifted in (10 steps of 200 ms), 2 s: all through the clock.
    EXPECT_EQ(world.clock.TotalSlept(), 1000u + 10u * 200u + 2000u);
}

TEST(DisplaySimDlgTest, StopEndsAtTheNextPauseAndClosingWaitsForIt) {
    test::WatchPageWorld world;
    DisplayInput input = OnlyItem(0, 1);  // the time, rained in
    input.disp[1] = 1;                    // and the date, which Stop leaves out
    CDisplaySimDlg dialog(world.Context(), world.machine.volumes, input);
    dialog.show();
    dialog.StopButton()->click();
    dialog.exec();
    EXPECT_EQ(dialog.Status()->text(), "Show Time") << "the effect ran to its end, then the sequence stopped";
    EXPECT_EQ(world.clock.TotalSlept(), 91u * 20u) << "no wait after the time";
}

class FactoryDlgTest : public ::testing::Test {
  protected:
    FactoryDlgTest() { world.app.watch.eventsSuspended = true; }

    test::WatchPageWorld world;
    FactoryAnimation animation;
};

TEST_F(FactoryDlgTest, OpensIdleAndTheNotificationsReachItOnlyWhileItIsOpen) {
    sim::FileModeWatch watch(world.DiskFolder("watch"));
    {
        CFactoryDlg dialog(world.Context(), world.Ports(), animation);
        EXPECT_EQ(dialog.windowTitle(), "Factory Mode");
        EXPECT_EQ(dialog.Status()->text(), "Plug-in DISK, Auto Setup");
        EXPECT_EQ(dialog.Counter()->Text(), "0");
        EXPECT_EQ(dialog.DateText()->Text(), "2014-05-20");
        EXPECT_EQ(dialog.TimeText()->Text(), "09:30:15");
        EXPECT_FALSE(dialog.FolderButton()->isEnabled());
        EXPECT_FALSE(dialog.PathBox()->isEnabled());

        world.machine.PlugIn(watch);
        world.DeliverEvents();
        EXPECT_EQ(dialog.Status()->text(), ">>> Setup OK, Remove Disk <<<");
        EXPECT_EQ(dialog.Counter()->Text(), "1");
        EXPECT_TRUE(fs::exists(watch.Folder() + "/CLOCK.TXT"));
        EXPECT_EQ(world.app.watch.currentDrive, kNoDrive) << "the main window's handling stays out of it";
        const int slider = dialog.Slider()->value();
        dialog.AnimationTick();
        EXPECT_EQ(dialog.Slider()->value(), slider + 1);
    }
    fs::remove(watch.Folder() + "/CLOCK.TXT");
    world.machine.Unplug('D');
    world.machine.PlugIn(watch);
    world.DeliverEvents();
    EXPECT_FALSE(fs::exists(watch.Folder() + "/CLOCK.TXT")) << "a closed window sets nothing up";
}

TEST_F(FactoryDlgTest, PreCopyChoicesAreStoredAtOnce) {
    CFactoryDlg dialog(world.Context(), world.Ports(), animation);
    dialog.chooseFolder = [] { return std::optional<QString>("/srv/line/prepared"); };
    dialog.PreCopyBox()->click();
    EXPECT_TRUE(dialog.FolderButton()->isEnabled());
    EXPECT_TRUE(dialog.PathBox()->isEnabled());
    dialog.FolderButton()->click();
    EXPECT_EQ(dialog.PathBox()->text(), "/srv/line/prepared");
    const IniSnapshot stored = world.app.Config().File().Read();
    EXPECT_EQ(stored.ReadInt("PreCopy", "Enable", 0), 1);
    EXPECT_EQ(stored.ReadString("PreCopy", "Path", "", 511), "/srv/line/prepared");
    dialog.chooseFolder = [] { return std::nullopt; };
    dialog.FolderButton()->click();
    EXPECT_EQ(dialog.PathBox()->text(), "/srv/line/prepared") << "cancelling keeps the folder";
    dialog.PreCopyBox()->click();
    EXPECT_FALSE(dialog.FolderButton()->isEnabled());
    EXPECT_EQ(world.app.Config().File().Read().ReadInt("PreCopy", "Enable", 1), 0);
}

TEST_F(FactoryDlgTest, AStreamOfWatchesLeavesNoWidgetTimerOrHandleBehind) {
    CFactoryDlg dialog(world.Context(), world.Ports(), animation);
    sim::FileModeWatch plain(world.DiskFolder("plain"));
    const auto objects = [&dialog] { return dialog.findChildren<QObject*>().size(); };
    const auto before = objects();
    for (int i = 0; i < 300; ++i) {
        auto device = std::make_unique<sim::DeviceModeWatch>(world.clock);
        const char letter =
            i % 2 ? world.machine.PlugIn(*device, world.DiskFolder("volume")) : world.machine.PlugIn(plain);
        world.DeliverEvents();
        dialog.AnimationTick();
        world.machine.Unplug(letter);
        world.DeliverEvents();
    }
    EXPECT_EQ(dialog.Counter()->Text(), "300");
    EXPECT_EQ(objects(), before);
    EXPECT_EQ(world.machine.devices.OpenHandles(), 0);
}

}  // namespace
}  // namespace kiro::gui
