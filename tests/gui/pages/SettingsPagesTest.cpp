// The pages that keep settings: the personal information and the user options.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "../PageWorld.h"
#include "gui/app/DesktopKeyboard.h"
#include "gui/pages/CPersonalPage.h"
#include "gui/pages/CUserOptionPage.h"

namespace kiro::gui {
namespace {

class SettingsPagesTest : public ::testing::Test {
  protected:
    IniSnapshot Stored() { return world.app.Config().File().Read(); }
    test::PageWorld world;
};

TEST_F(SettingsPagesTest, PersonalBoxesKeepTheirLeadingNumberOrTheValueBefore) {
    CPersonalPage page(world.Context());
    EXPECT_EQ(page.Birthday()->date(), QDate(2000, 2, 1));
    EXPECT_EQ(page.Box(0)->text(), "170");
    page.Box(0)->setText("172cm");
    page.Box(1)->setText("");
    page.Box(2)->setText(" -3 steps");
    page.Birthday()->setDate(QDate(1980, 12, 24));
    page.SaveButton()->click();
    const SettingsValues& values = world.app.Config().Values();
    EXPECT_EQ(values.height, 172);
    EXPECT_EQ(values.weight, 60) << "an empty box keeps the weight";
    EXPECT_EQ(values.stepSize, -3);
    EXPECT_EQ(Stored().ReadInt("Personal", "Birthday", 0), 19801224);
    EXPECT_EQ(Stored().ReadInt("Personal", "Weight", 0), 60);
    EXPECT_EQ(world.host.Count("language-changed"), 1) << "every page recomputes";
    EXPECT_EQ(page.Box(1)->text(), "60") << "the page shows what was stored";
}

TEST_F(SettingsPagesTest, TheThresholdTypedIsTakenWhenTheTextsAreAppliedAndLettersKeepIt) {
    CUserOptionPage page(world.Context(), {});
    EXPECT_EQ(page.SlightMovingEdit()->text(), "5");
    page.SlightMovingEdit()->setText("12");
    page.OnLanguageChanged();  // what leaving the page does
    EXPECT_EQ(Stored().ReadInt("Sleep", "SlightMoving", 0), 12);
    page.SlightMovingEdit()->setText("many");
    page.OnLanguageChanged();
    EXPECT_EQ(Stored().ReadInt("Sleep", "SlightMoving", 0), 12);
    EXPECT_EQ(page.SlightMovingEdit()->text(), "many") << "the edit itself is not rewritten";
}

TEST_F(SettingsPagesTest, CheckBoxesWriteAtOnceAndAnUnknownLanguageChecksNoRadio) {
    world.app.Config().SetLanguageInMemory(7);
    CUserOptionPage page(world.Context(), {});
    for (int language = 0; language < 3; ++language) EXPECT_FALSE(page.LanguageRadio(language)->isChecked());
    EXPECT_EQ(page.UpgradeBox()->text(), "Enable Upgrade Check") << "English texts";
    page.UpgradeBox()->click();
    EXPECT_EQ(Stored().ReadInt("Advance", "EnableUpgrade", 1), 0);
    page.AutoConfirmBox()->click();
    EXPECT_EQ(Stored().ReadInt("Advance", "AutoConfirm", 0), 1);
}

TEST_F(SettingsPagesTest, ALanguagePictureSelectsItsLanguage) {
    bool followed = false;
    CUserOptionPage page(world.Context(), [&] { followed = world.app.CurrentLanguage() == 2; });
    EXPECT_TRUE(page.LanguagePicture(1)->pixmap().isNull()) << "drawn only once the page is shown";
    page.show();
    for (int language = 0; language < 3; ++language)
        EXPECT_FALSE(page.LanguagePicture(language)->pixmap().isNull()) << language;
    QTest::mouseClick(page.LanguagePicture(2), Qt::LeftButton);
    EXPECT_TRUE(page.LanguageRadio(2)->isChecked());
    EXPECT_TRUE(followed) << "the window followed the new language";
    EXPECT_EQ(Stored().ReadInt("Advance", "Language", 0), 2);
    EXPECT_EQ(page.UpgradeBox()->text(), QString::fromUtf8("启用更新检查"));
}

TEST(DesktopKeyboardTest, TheChordIsBothRightHandKeysHeld) {
    test::EnsureQtApplication();
    DesktopKeyboard keyboard;
    QWidget target;
    const auto send = [&target](QEvent::Type type, int key, quint32 code) {
        QKeyEvent event(type, key, Qt::NoModifier, code, 0, 0);
        QApplication::sendEvent(&target, &event);
    };
    send(QEvent::KeyPress, Qt::Key_Shift, 50);  // the left Shift
    send(QEvent::KeyPress, Qt::Key_AltGr, DesktopKeyboard::kRightAlt);
    EXPECT_FALSE(keyboard.RightShiftAndRightAltHeld());
    send(QEvent::KeyPress, Qt::Key_Shift, DesktopKeyboard::kRightShift);
    EXPECT_TRUE(keyboard.RightShiftAndRightAltHeld());
    send(QEvent::KeyRelease, Qt::Key_AltGr, DesktopKeyboard::kRightAlt);
    EXPECT_FALSE(keyboard.RightShiftAndRightAltHeld());
}

}  // namespace
}  // namespace kiro::gui
