// The setup page over the simulated machine: disk buttons, the controls each watch gets, the
// rate label, Time Set and Check Watch through the buttons, and the battery curve.
#include <gtest/gtest.h>

#include <QTest>

#include "../WatchPageWorld.h"
#include "gui/FontCells.h"
#include "gui/pages/CBatteryCurveDlg.h"
#include "gui/pages/CSetupPage.h"
#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/FileModeWatch.h"

namespace kiro::gui {
namespace {

class SetupPageTest : public ::testing::Test {
  protected:
    SetupPageTest() { page.show(); }
    char PlugDeviceWatch(sim::DeviceModeWatch& watch) {
        world.app.Config().SetAutoConfirm(true);
        const char letter = world.machine.PlugIn(watch, world.DiskFolder("volume"));
        world.DeliverEvents();
        page.OnLanguageChanged();
        return letter;
    }
    std::vector<QString> ShownDiskButtons() const {
        std::vector<QString> shown;
        for (int i = 0; i < kDiskButtons; ++i)
            if (page.DiskButton(i)->isVisible()) shown.push_back(page.DiskButton(i)->text());
        return shown;
    }

    test::WatchPageWorld world;
    CSetupPage page{world.Context(), world.Ports()};
};

TEST_F(SetupPageTest, DiskButtonsNameTheRemovableDrivesAndTheChosenOneStandsOut) {
    sim::FileModeWatch first(world.DiskFolder("first"));
    sim::FileModeWatch second(world.DiskFolder("second"));
    world.machine.PlugIn(first);
    const char letter = world.machine.PlugIn(second);
    page.OnDataChanged();
    EXPECT_EQ(ShownDiskButtons(), (std::vector<QString>{"D:", "E:"}));
    EXPECT_FALSE(page.TimeSetButton()->isEnabled());

    page.DiskButton(1)->click();
    EXPECT_EQ(world.app.watch.currentDrive, letter);
    EXPECT_TRUE(page.TimeSetButton()->isEnabled());
    EXPECT_TRUE(page.DiskButton(1)->font().bold());
    EXPECT_FALSE(page.DiskButton(0)->font().bold());
    EXPECT_GT(page.DiskButton(1)->font().pixelSize(), 2 * page.DiskButton(0)->font().pixelSize());
    EXPECT_FALSE(page.CheckWatchButton()->isVisible()) << "a plain disk has no clock to check";
    EXPECT_FALSE(page.AutoRadio()->isVisible());
    EXPECT_TRUE(page.Slider()->isEnabled());
}

TEST_F(SetupPageTest, ADeviceWatchShowsItsControlsAndAutoModeHoldsTheSlider) {
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'E', false, 0});
    PlugDeviceWatch(watch);
    EXPECT_TRUE(page.CheckWatchButton()->isVisible());
    EXPECT_TRUE(page.BatteryButton()->isVisible());
    EXPECT_TRUE(page.LedBox()->isVisible());
    EXPECT_TRUE(page.RecorderBox()->isVisible()) << "model E records 24 hours";
    EXPECT_TRUE(page.AutoRadio()->isChecked()) << "a device watch arrives in Auto mode";
    EXPECT_FALSE(page.Slider()->isEnabled());
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             page.AlarmBox(), page.AlarmHour(), page.AlarmMinute(), page.AlarmOnce(), page.AlarmEveryDay()})
        EXPECT_FALSE(hidden->isVisible());

    page.ManualRadio()->click();
    EXPECT_EQ(world.app.timeAdjustMode, kTimeAdjustManual);
    EXPECT_TRUE(page.Slider()->isEnabled());
    page.Slider()->setValue(-7);
    EXPECT_EQ(page.RateLabel()->text(), "Slower 7 sec/day");
    page.Slider()->setValue(12);
    EXPECT_EQ(page.RateLabel()->text(), "Faster 12 sec/day");
    page.Slider()->setValue(0);
    EXPECT_EQ(page.RateLabel()->text(), "");
    world.app.watchSettings.tAdj = -20;
    page.AutoRadio()->click();
    EXPECT_EQ(page.Slider()->value(), -20) << "Auto shows the correction the watch will get";
}

TEST_F(SetupPageTest, TimeSetAndCheckWatchCorrectAWatchThatGainsTwentySecondsADay) {
    // The watch gains 15 s a day of its own, and its correction of 5 adds 5 more.
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'C', false, 15});
    PlugDeviceWatch(watch);
    page.ManualRadio()->click();
    page.Slider()->setValue(5);
    page.Hour12()->click();
    page.LedFrom()->setText("7");
    page.LedTo()->setText("25");  // no hour of the day: the one before stays
    page.TimeSetButton()->click();
    auto block = watch.ConfigBlock();
    EXPECT_EQ(static_cast<int8_t>(block[31]), 5);
    EXPECT_EQ(block[30], 0x12);
    EXPECT_EQ(block[46], 7);
    EXPECT_EQ(block[47], 18);
    EXPECT_EQ(world.host.Lines("status: ").back(), "status:  >> TimeSet: 2014-5-20 09:30:15, (5)");

    world.clock.Advance(3u * 86400u * 1000u);
    page.CheckWatchButton()->click();
    EXPECT_EQ(world.app.watchSettings.tAdj, -15);
    EXPECT_EQ(page.Slider()->value(), -15);
    const std::string report = world.host.Lines("message: ").back();
    EXPECT_NE(report.find("Difference:        60 sec /   3 days"), std::string::npos) << report;

    page.AutoRadio()->click();
    page.TimeSetButton()->click();
    EXPECT_EQ(static_cast<int8_t>(watch.ConfigBlock()[31]), -15);
}

TEST_F(SetupPageTest, TheBatteryCurveReadsPageFourteenOfTheWatch) {
    sim::DeviceModeWatch watch(world.clock);
    std::array<uint8_t, sim::kBatterySamples> samples{};
    samples[10] = 209;
    samples[11] = 217;
    watch.SetBatteryHistory(samples, 11);
    PlugDeviceWatch(watch);
    std::array<uint8_t, 512> seen{};
    bool buttonsOffDuring = false;
    page.runBatteryCurve = [&](const std::array<uint8_t, 512>& read) {
        seen = read;
        buttonsOffDuring = !page.TimeSetButton()->isEnabled() && !page.BatteryButton()->isEnabled();
    };
    page.BatteryButton()->click();
    EXPECT_EQ(seen[256], 11);
    EXPECT_EQ(seen[272 + 10], 209);
    EXPECT_TRUE(buttonsOffDuring);
    EXPECT_TRUE(page.BatteryButton()->isEnabled());
    EXPECT_EQ(world.host.Lines("status: ").back(), "status: ");
}

TEST(BatteryCurveDlgTest, BarsInTheColourOfTheirLevel) {
    test::PageWorld world;
    std::array<uint8_t, 512> page{};
    page[256] = 239;        // the newest reading is the last of the ring
    page[272 + 0] = 209;    // 26 %: red
    page[272 + 100] = 217;  // just under 50 %: yellow
    page[272 + 200] = 250;  // full: green
    page[272 + 239] = 250;
    CBatteryCurveDlg dialog(world.texts, page);
    dialog.show();
    const QImage image = dialog.Graph()->grab().toImage();
    const auto count = [&image](QRgb colour) {
        int found = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                found += (image.pixel(x, y) & RGB_MASK) == (colour & RGB_MASK);
        return found;
    };
    EXPECT_GT(count(qRgb(255, 0, 0)), 0);
    EXPECT_GT(count(qRgb(255, 255, 0)), 0);
    EXPECT_GT(count(qRgb(0, 255, 0)), 0);
    EXPECT_EQ(dialog.windowTitle(), "Battery Curve");
}

}  // namespace
}  // namespace kiro::gui
