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
    QDateEdit* birthday = test::Named<QDateEdit>(page, "birthdayEdit");
    QLineEdit* height = test::Named<QLineEdit>(page, "heightEdit");
    QLineEdit* weight = test::Named<QLineEdit>(page, "weightEdit");
    EXPECT_EQ(birthday->date(), QDate(2000, 2, 1));
    EXPECT_EQ(height->text(), "170");
    height->setText("172cm");
    weight->setText("");
    test::Named<QLineEdit>(page, "stepSizeEdit")->setText(" -3 steps");
    birthday->setDate(QDate(1980, 12, 24));
    test::Named<QPushButton>(page, "saveButton")->click();
    const SettingsValues& values = world.app.Config().Values();
    EXPECT_EQ(values.height, 172);
    EXPECT_EQ(values.weight, 60) << "an empty box keeps the weight";
    EXPECT_EQ(values.stepSize, -3);
    EXPECT_EQ(Stored().ReadInt("Personal", "Birthday", 0), 19801224);
    EXPECT_EQ(Stored().ReadInt("Personal", "Weight", 0), 60);
    EXPECT_EQ(world.host.Count("language-changed"), 1) << "every page recomputes";
    EXPECT_EQ(weight->text(), "60") << "the page shows what was stored";
}

TEST_F(SettingsPagesTest, TheThresholdTypedIsTakenWhenTheTextsAreAppliedAndLettersKeepIt) {
    CUserOptionPage page(world.Context(), {});
    QLineEdit* threshold = test::Named<QLineEdit>(page, "slightMovingEdit");
    EXPECT_EQ(threshold->text(), "5");
    threshold->setText("12");
    page.OnLanguageChanged();  // what leaving the page does
    EXPECT_EQ(Stored().ReadInt("Sleep", "SlightMoving", 0), 12);
    threshold->setText("many");
    page.OnLanguageChanged();
    EXPECT_EQ(Stored().ReadInt("Sleep", "SlightMoving", 0), 12);
    EXPECT_EQ(threshold->text(), "many") << "the edit itself is not rewritten";
}

TEST_F(SettingsPagesTest, CheckBoxesWriteAtOnceAndAnUnknownLanguageChecksNoRadio) {
    world.app.Config().SetLanguageInMemory(7);
    CUserOptionPage page(world.Context(), {});
    for (int language = 0; language < 3; ++language)
        EXPECT_FALSE(
            test::Named<QRadioButton>(page, "languageRadio" + std::to_string(language))->isChecked());
    EXPECT_EQ(test::Named<QCheckBox>(page, "upgradeCheckBox")->text(), "Enable Upgrade Check")
        << "English texts";
    test::Named<QCheckBox>(page, "upgradeCheckBox")->click();
    EXPECT_EQ(Stored().ReadInt("Advance", "EnableUpgrade", 1), 0);
    test::Named<QCheckBox>(page, "autoConfirmCheckBox")->click();
    EXPECT_EQ(Stored().ReadInt("Advance", "AutoConfirm", 0), 1);
}

TEST_F(SettingsPagesTest, ALanguagePictureSelectsItsLanguage) {
    bool followed = false;
    CUserOptionPage page(world.Context(), [&] { followed = world.app.CurrentLanguage() == 2; });
    EXPECT_TRUE(test::Named<QLabel>(page, "languagePicture1")->pixmap().isNull())
        << "drawn only once the page is shown";
    page.show();
    for (int language = 0; language < 3; ++language)
        EXPECT_FALSE(
            test::Named<QLabel>(page, "languagePicture" + std::to_string(language))->pixmap().isNull())
            << language;
    QTest::mouseClick(test::Named<QLabel>(page, "languagePicture2"), Qt::LeftButton);
    EXPECT_TRUE(test::Named<QRadioButton>(page, "languageRadio2")->isChecked());
    EXPECT_TRUE(followed) << "the window followed the new language";
    EXPECT_EQ(Stored().ReadInt("Advance", "Language", 0), 2);
    EXPECT_EQ(test::Named<QCheckBox>(page, "upgradeCheckBox")->text(), QString::fromUtf8("启用更新检查"));
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
