// The setup page over the simulated machine: disk buttons, the controls each watch gets, the
// rate label, Time Set and Check Watch through the buttons, and the battery curve.
#include <gtest/gtest.h>

#include <QTest>

#include "../ChartPixels.h"
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
    QPushButton* DiskButton(int index) const {
        return test::Named<QPushButton>(page, "diskButton" + std::to_string(index));
    }
    std::vector<QString> ShownDiskButtons() const {
        std::vector<QString> shown;
        for (int i = 0; i < kDiskButtons; ++i)
            if (DiskButton(i)->isVisible()) shown.push_back(DiskButton(i)->text());
        return shown;
    }

    test::WatchPageWorld world;
    CSetupPage page{world.Context(), world.Ports()};
    QPushButton* const timeSet = test::Named<QPushButton>(page, "timeSetButton");
    QPushButton* const checkWatch = test::Named<QPushButton>(page, "checkWatchButton");
    QPushButton* const battery = test::Named<QPushButton>(page, "batteryButton");
    QSlider* const slider = test::Named<QSlider>(page, "rateSlider");
    QLabel* const rate = test::Named<QLabel>(page, "rateLabel");
    QRadioButton* const autoRadio = test::Named<QRadioButton>(page, "autoRadio");
    QRadioButton* const manualRadio = test::Named<QRadioButton>(page, "manualRadio");
};

TEST_F(SetupPageTest, DiskButtonsNameTheRemovableDrivesAndTheChosenOneStandsOut) {
    sim::FileModeWatch first(world.DiskFolder("first"));
    sim::FileModeWatch second(world.DiskFolder("second"));
    world.machine.PlugIn(first);
    const char letter = world.machine.PlugIn(second);
    page.OnDataChanged();
    EXPECT_EQ(ShownDiskButtons(), (std::vector<QString>{"D:", "E:"}));
    EXPECT_FALSE(timeSet->isEnabled());

    DiskButton(1)->click();
    EXPECT_EQ(world.app.watch.currentDrive, letter);
    EXPECT_TRUE(timeSet->isEnabled());
    EXPECT_TRUE(DiskButton(1)->font().bold());
    EXPECT_FALSE(DiskButton(0)->font().bold());
    EXPECT_GT(DiskButton(1)->font().pixelSize(), 2 * DiskButton(0)->font().pixelSize());
    EXPECT_FALSE(checkWatch->isVisible()) << "a plain disk has no clock to check";
    EXPECT_FALSE(autoRadio->isVisible());
    EXPECT_TRUE(slider->isEnabled());
}

TEST_F(SetupPageTest, ADeviceWatchShowsItsControlsAndAutoModeHoldsTheSlider) {
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'E', false, 0});
    PlugDeviceWatch(watch);
    EXPECT_TRUE(checkWatch->isVisible());
    EXPECT_TRUE(battery->isVisible());
    EXPECT_TRUE(test::Named<QCheckBox>(page, "ledCheckBox")->isVisible());
    EXPECT_TRUE(test::Named<QCheckBox>(page, "recorderCheckBox")->isVisible()) << "model E records 24 hours";
    EXPECT_TRUE(autoRadio->isChecked()) << "a device watch arrives in Auto mode";
    EXPECT_FALSE(slider->isEnabled());
    for (const char* hidden : {"alarmCheckBox", "alarmHourComboBox", "alarmMinuteComboBox", "alarmOnceRadio",
                               "alarmEveryDayRadio"})
        EXPECT_FALSE(test::Named<QWidget>(page, hidden)->isVisible()) << hidden;

    manualRadio->click();
    EXPECT_EQ(world.app.timeAdjustMode, kTimeAdjustManual);
    EXPECT_TRUE(slider->isEnabled());
    slider->setValue(-7);
    EXPECT_EQ(rate->text(), "Slower 7 sec/day");
    slider->setValue(12);
    EXPECT_EQ(rate->text(), "Faster 12 sec/day");
    slider->setValue(0);
    EXPECT_EQ(rate->text(), "");
    world.app.watchSettings.tAdj = -20;
    autoRadio->click();
    EXPECT_EQ(slider->value(), -20) << "Auto shows the correction the watch will get";
}

TEST_F(SetupPageTest, TimeSetAndCheckWatchCorrectAWatchThatGainsTwentySecondsADay) {
    // The watch gains 15 s a day of its own, and its correction of 5 adds 5 more.
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'C', false, 15});
    PlugDeviceWatch(watch);
    manualRadio->click();
    slider->setValue(5);
    test::Named<QRadioButton>(page, "hour12Radio")->click();
    test::Named<QLineEdit>(page, "ledFromEdit")->setText("7");
    test::Named<QLineEdit>(page, "ledToEdit")->setText("25");  // no hour of the day: the one before stays
    timeSet->click();
    auto block = watch.ConfigBlock();
    EXPECT_EQ(static_cast<int8_t>(block[31]), 5);
    EXPECT_EQ(block[30], 0x12);
    EXPECT_EQ(block[46], 7);
    EXPECT_EQ(block[47], 18);
    EXPECT_EQ(world.host.Lines("status: ").back(), "status:  >> TimeSet: 2014-5-20 09:30:15, (5)");

    world.clock.Advance(3u * 86400u * 1000u);
    checkWatch->click();
    EXPECT_EQ(world.app.watchSettings.tAdj, -15);
    EXPECT_EQ(slider->value(), -15);
    const std::string report = world.host.Lines("message: ").back();
    EXPECT_NE(report.find("Difference:        60 sec /   3 days"), std::string::npos) << report;

    autoRadio->click();
    timeSet->click();
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
        buttonsOffDuring = !timeSet->isEnabled() && !battery->isEnabled();
    };
    battery->click();
    EXPECT_EQ(seen[256], 11);
    EXPECT_EQ(seen[272 + 10], 209);
    EXPECT_TRUE(buttonsOffDuring);
    EXPECT_TRUE(battery->isEnabled());
    EXPECT_EQ(world.host.Lines("status: ").back(), "status: ");
}

TEST(BatteryCurveDlgTest, EachHourIsABarInTheColourOfItsLevel) {
    test::PageWorld world;
    // The newest reading is the last of the ring, so hour h of the curve is reading byte 272 + h.
    std::array<uint8_t, 512> page{};
    page[256] = 239;
    page[272 + 0] = 209;
    page[272 + 100] = 217;
    page[272 + 200] = 250;
    page[272 + 239] = 250;
    CBatteryCurveDlg dialog(world.texts, page);
    dialog.show();
    const CGraphCtrl* graph = test::Named<CGraphCtrl>(dialog, "batteryGraph");
    const PlotEdges plot = graph->Plot();
    // Hours between readings take the step, cut toward zero, and a level of (reading - 200) x
    // 100 / 34 percent: red under 30 %, yellow under 50 %, green from there.
    const struct {
        int hour;
        int reading;  // 209 + 8 x h / 100 up to hour 100, 217 + 33 x (h - 100) / 100 after it
        double level;
        QRgb colour;
    } bars[] = {
        {10, 209, 26.47, test::kRed},
        {60, 213, 38.24, test::kYellow},
        {150, 233, 97.06, test::kGreen},
        {220, 250, 100, test::kGreen},
    };
    for (const auto& bar : bars) {
        // The bar of an hour starts at its own time, hour - 240 on the axis, and rises from 0.
        const int x = test::ColumnOf(plot, bar.hour - 240, -240, 0);
        EXPECT_EQ(test::PixelAt(*graph, x, test::RowOf(plot, 10, 0, 100)), bar.colour) << "hour " << bar.hour;
        EXPECT_EQ(test::PixelAt(*graph, x, test::RowOf(plot, bar.level - 3, 0, 100)), bar.colour)
            << "hour " << bar.hour << " up to its level";
        if (bar.level < 95) {
            EXPECT_EQ(test::PixelAt(*graph, x, test::RowOf(plot, bar.level + 3, 0, 100)), test::kBlack)
                << "hour " << bar.hour << " not above its level";
        }
    }
    EXPECT_EQ(dialog.windowTitle(), "Battery Curve");
}

}  // namespace
}  // namespace kiro::gui
