// The personal graphic page over the simulated machine: the dot editor, presets and slots, the
// previews it asks for, Save to both kinds of watch, and the factory gesture.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>
#include <filesystem>

#include "../WatchPageWorld.h"
#include "core/watch/ClockFile.h"
#include "gui/controls/DotGrid.h"
#include "gui/pages/CPersonalGraphicPage.h"
#include "platform/sim/DeviceModeWatch.h"
#include "platform/sim/FileModeWatch.h"

namespace kiro::gui {
namespace {

namespace fs = std::filesystem;

class PersonalGraphicPageTest : public ::testing::Test {
  protected:
    PersonalGraphicPageTest() {
        page.runSimulation = [this](const DisplayInput& input) { previews.push_back(input); };
    }
    IniSnapshot Stored() { return world.app.Config().File().Read(); }
    // A file-mode watch plugged in and collected, as the page finds it after a collection.
    sim::FileModeWatch PlugFileWatch() {
        sim::FileModeWatch watch(world.DiskFolder("watch"));
        watch.WriteClockFile(world.clock.Now());
        watch.WriteMarker(world.machine.attributes);
        world.machine.PlugIn(watch);
        world.DeliverEvents();
        return watch;
    }
    void ClickDot(int line, int dot) {
        const QModelIndex cell = editor->model()->index(line, dot);
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, editor->visualRect(cell).center());
    }
    QPushButton* Button(const std::string& name) const { return test::Named<QPushButton>(page, name); }
    QPushButton* SlotButton(int slot) const { return Button("slotButton" + std::to_string(slot)); }

    test::WatchPageWorld world;
    CPersonalGraphicPage page{world.Context(), world.Ports()};
    CGridListCtrl* const editor = test::Named<CGridListCtrl>(page, "pictureEditor");
    QLineEdit* const message = test::Named<QLineEdit>(page, "messageEdit");
    QPushButton* const save = Button("saveButton");
    std::vector<DisplayInput> previews;
};

TEST_F(PersonalGraphicPageTest, ClicksToggleDotsAndTheHeadingsNeverShuffleTheLines) {
    page.show();
    ClickDot(5, 0);
    ClickDot(5, 6);
    ClickDot(7, 3);
    ClickDot(7, 3);
    PictureLines expected{};
    expected[5] = 0x41;
    EXPECT_EQ(page.EditorPicture(), expected);
    EXPECT_TRUE(editor->selectionModel()->selectedRows().isEmpty()) << "the dot shows, not a highlight";
    // A click on a heading would sort the rows of other lists; here it must leave the picture.
    QHeaderView* header = editor->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 4, 4));
    EXPECT_EQ(page.EditorPicture(), expected);
}

TEST_F(PersonalGraphicPageTest, PresetsFollowTheLanguage) {
    Button("goodFeelingButton")->click();
    EXPECT_EQ(UsedPictureLines(page.EditorPicture()),
              (std::vector<uint8_t>{0x00, 0x36, 0x49, 0x41, 0x41, 0x22, 0x14, 0x08}));
    world.app.Config().SetLanguageInMemory(kSimplifiedChinese);
    Button("goButton")->click();
    const std::vector<uint8_t> go = UsedPictureLines(page.EditorPicture());
    ASSERT_EQ(go.size(), 22u);
    EXPECT_EQ(go.front(), 0x20);
    EXPECT_EQ(go.back(), 0x51);
}

TEST_F(PersonalGraphicPageTest, SlotsAskBeforeTheyAreOverwrittenUnlessAutoConfirm) {
    EXPECT_EQ(SlotButton(2)->text(), "") << "an empty slot shows no caption";
    Button("goodFeelingButton")->click();
    test::Named<QComboBox>(page, "slotComboBox")->setCurrentIndex(1);
    Button("pushButton")->click();
    EXPECT_EQ(Stored().ReadString("Temp", "TempGraphic2", "", 200), "0036494141221408");
    EXPECT_EQ(SlotButton(2)->text(), "T2");
    EXPECT_TRUE(world.host.Lines("question: ").empty()) << "an empty slot is filled without asking";

    Button("goButton")->click();
    world.host.answers = {false};
    Button("pushButton")->click();
    EXPECT_EQ(world.host.Lines("question: "), (std::vector<std::string>{"question: OverWrite it (Y/N) ?"}));
    EXPECT_EQ(Stored().ReadString("Temp", "TempGraphic2", "", 200), "0036494141221408") << "No keeps it";

    world.app.Config().SetAutoConfirm(true);
    Button("pushButton")->click();
    EXPECT_EQ(world.host.Lines("question: ").size(), 1u) << "AutoConfirm asks nothing";
    EXPECT_EQ(Stored().ReadString("Temp", "TempGraphic2", "", 200), "000C141467616161615E");

    Button("cleanButton")->click();
    SlotButton(2)->click();
    EXPECT_EQ(PictureSlotValue(page.EditorPicture()), "000C141467616161615E");
    SlotButton(3)->click();
    EXPECT_EQ(page.EditorPicture(), PictureLines{}) << "an empty slot loads a blank picture";
}

TEST_F(PersonalGraphicPageTest, CleanKeepsTheEditorEmptyThroughTheRefreshItAsksFor) {
    world.app.watchSettings.uPic = WatchSettings::FilledPicture();
    world.app.watchSettings.uPic[0] = 0x7F;
    page.OnLanguageChanged();
    ASSERT_EQ(page.EditorPicture()[0], 0x7F);
    Button("cleanButton")->click();
    EXPECT_EQ(world.host.Count("language-changed"), 1);
    page.OnLanguageChanged();  // the page container passes it back to every page
    EXPECT_EQ(page.EditorPicture(), PictureLines{}) << "the user asked for an empty editor";
    page.OnLanguageChanged();
    EXPECT_EQ(page.EditorPicture()[0], 0x7F) << "later refreshes show the watch's picture again";
}

TEST_F(PersonalGraphicPageTest, PreviewsPassWhatTheirItemNeeds) {
    message->setText("Hi");
    Button("goodFeelingButton")->click();
    test::Named<QComboBox>(page, "batteryEffectComboBox")->setCurrentIndex(7);
    test::Named<QComboBox>(page, "speedComboBox")->setCurrentIndex(8);
    Button("simulationButton")->click();
    Button("batteryItemButton")->click();
    Button("personalGraphicItemButton")->click();
    ASSERT_EQ(previews.size(), 3u);
    EXPECT_EQ(previews[0].message, "Hi");
    EXPECT_EQ(previews[0].pictureHex, "0036494141221408");
    EXPECT_EQ(previews[0].disp[5], 7);
    EXPECT_EQ(previews[0].sped, 8);
    EXPECT_EQ(previews[1].message, "");
    EXPECT_EQ(previews[1].pictureHex, "");
    EXPECT_EQ(previews[1].disp, (std::array<int, 10>{42, 42, 42, 42, 42, 7, 42, 42, 42, 42}));
    EXPECT_EQ(previews[2].pictureHex, "0036494141221408") << "the picture's own preview shows it";
    EXPECT_EQ(previews[2].disp[7], world.app.watchSettings.disp[7]);
}

TEST_F(PersonalGraphicPageTest, SaveToAFileWatchWritesItsClockFile) {
    EXPECT_FALSE(save->isEnabled()) << "no watch, no Save";
    sim::FileModeWatch watch = PlugFileWatch();
    page.OnLanguageChanged();
    ASSERT_TRUE(save->isEnabled());
    EXPECT_TRUE(Button("diskSizeItemButton")->isVisibleTo(&page)) << "a plain disk has a size";
    EXPECT_FALSE(Button("yearItemButton")->isVisibleTo(&page));

    message->setText(QString::fromUtf8("Caf\u00e9 ok"));
    ClickDot(5, 1);
    test::Named<QComboBox>(page, "freeSizeEffectComboBox")->setCurrentIndex(3);
    world.host.Clear();
    save->click();
    const std::string clock = kiro::test::TempFolder::ReadFile(watch.Folder() + "/CLOCK.TXT");
    EXPECT_NE(clock.find("UStr=Caf ok\r\n"), std::string::npos) << "only what the watch can show";
    EXPECT_NE(clock.find("UPic=000000000020\r\n"), std::string::npos)
        << "six pairs: five empty lines, then line 5";
    EXPECT_EQ(world.app.watchSettings.disp[8], 3) << "Disp[8] goes with the free space";
    EXPECT_EQ(world.app.watchSettings.uPic[6], kPictureEnd);
    EXPECT_EQ(world.host.Count("language-changed"), 1);
    EXPECT_EQ(world.host.Lines("status: ").back(), "status:  >> Saved to the watch");
}

TEST_F(PersonalGraphicPageTest, AClockFileThatCannotBeWrittenIsSaid) {
    PlugFileWatch();
    page.OnLanguageChanged();
    world.files.FailPath("CLOCK.TXT", std::make_error_code(std::errc::read_only_file_system));
    save->click();
    EXPECT_EQ(world.host.Lines("status: ").back(), "status:  ### Cannot write CLOCK.TXT ###");
}

TEST_F(PersonalGraphicPageTest, SaveToADeviceWatchSendsABlockWithoutAlarm) {
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'C', false, 0});
    world.app.Config().SetAutoConfirm(true);
    world.machine.PlugIn(watch, world.DiskFolder("volume"));
    world.DeliverEvents();
    ASSERT_TRUE(world.app.watch.deviceMode);
    world.app.watchSettings.alarmEnabled = true;
    page.OnLanguageChanged();
    EXPECT_FALSE(Button("diskSizeItemButton")->isVisibleTo(&page));
    EXPECT_FALSE(test::Named<QComboBox>(page, "freeSizeEffectComboBox")->isVisibleTo(&page));

    Button("cleanButton")->click();
    page.OnLanguageChanged();
    message->setText(QString::fromUtf8("Go \u00e9"));
    save->click();
    const auto block = watch.ConfigBlock();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&block[48]), 4), std::string("Go \0", 4));
    for (int i = 112; i < 152; ++i)
        ASSERT_EQ(block[i], 0xFF) << "a blank picture is 40 end marks, byte " << i;
    EXPECT_EQ(block[160], 0) << "the alarm goes only with Time Set";
    EXPECT_EQ(world.host.Lines("status: ").back(), "status:  >> Saved to the watch");
    EXPECT_FALSE(world.app.watch.eventsSuspended);
}

TEST_F(PersonalGraphicPageTest, TheFactoryGestureHandsTheLineThePageAndStartsAfreshAfter) {
    sim::DeviceModeWatch watch(world.clock);
    world.app.Config().SetAutoConfirm(true);
    world.machine.PlugIn(watch, world.DiskFolder("volume"));
    world.DeliverEvents();
    page.OnLanguageChanged();
    message->setText("Line 4");
    ClickDot(0, 0);
    ClickDot(2, 6);
    bool suspendedDuring = false;
    WatchSettings seen;
    page.runFactory = [&] {
        suspendedDuring = world.app.watch.eventsSuspended;
        seen = world.app.watchSettings;
    };
    world.keyboard.chordHeld = true;
    world.host.Clear();
    save->click();
    EXPECT_TRUE(suspendedDuring);
    EXPECT_EQ(seen.uStr, "Line 4");
    EXPECT_EQ(seen.uPic[0], 0x40);
    EXPECT_EQ(seen.uPic[2], 0x01);
    EXPECT_EQ(seen.uPic[3], kPictureEnd) << "trailing empty lines end the picture";
    EXPECT_FALSE(watch.LastClockSet().has_value()) << "the selected watch is not written";

    EXPECT_FALSE(world.app.watch.eventsSuspended);
    EXPECT_EQ(world.app.watch.currentDrive, kNoDrive);
    EXPECT_EQ(world.app.watch.modelLetter, 0);
    EXPECT_EQ(world.machine.devices.OpenHandles(), 0) << "the dropped watch's handle is closed";
    EXPECT_EQ(world.app.watchSettings.uStr, "");
    EXPECT_EQ(world.host.Count("language-changed"), 1);
    EXPECT_EQ(world.host.Lines("label: ").back(), "label: Not found Kiro-Disk") << "no watch is named";
}

}  // namespace
}  // namespace kiro::gui
