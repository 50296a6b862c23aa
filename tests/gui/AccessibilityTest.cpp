// What assistive technology learns of the main window: a name and a description for every control
// of every page in the program's language, and mnemonics that do not collide within a page.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMap>
#include <QSet>
#include <QTabBar>
#include <QTest>

#include "ControlWalk.h"
#include "WatchPageWorld.h"
#include "gui/AccessibleNaming.h"
#include "gui/mainwindow/CPageTab.h"
#include "gui/pages/CBatteryCurveDlg.h"
#include "gui/pages/CFactoryDlg.h"
#include "gui/pages/CSleepDlg.h"
#include "gui/pages/CUserOptionPage.h"
#include "mainwindow/MainWindowWorld.h"
#include "support/TimeLimits.h"

namespace kiro::gui {
namespace {

constexpr int kSummaryPage = 1;

struct Spoken {
    QString name;
    QString description;
};

std::string Describe(const QWidget& widget) {
    return QStringLiteral("%1 \"%2\" at %3,%4")
        .arg(QString::fromLatin1(widget.metaObject()->className()), widget.accessibleName())
        .arg(widget.mapTo(widget.window(), QPoint()).x())
        .arg(widget.mapTo(widget.window(), QPoint()).y())
        .toStdString();
}

// The caption a control shows, if any: a name taken from it is the same in every language only
// where the program shows the caption the same.
QString ShownCaption(const QWidget& widget) {
    const auto* button = qobject_cast<const QAbstractButton*>(&widget);
    return button ? WithoutMnemonic(button->text()) : QString();
}

// The mnemonic letter of a caption, or a null character.
QChar MnemonicOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toLower();
        ++i;
    }
    return {};
}

// The captions under a page that can carry a mnemonic: buttons and labels of other controls.
std::vector<QString> MnemonicCaptions(QWidget& page) {
    std::vector<QString> captions;
    for (QWidget* widget : page.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&page)) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) captions.push_back(button->text());
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
            captions.push_back(label->text());
    }
    return captions;
}

class AccessibilityTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = world.Open();
        window->show();
        // The pages are all there shortly after the first paint, as here.
        for (int i = 0; i < kPageCount; ++i) Page(i);
    }
    CPage* Page(int index) { return window->Pages().Page(index); }
    // Every control of every page and of the window around them.
    std::vector<QWidget*> AllControls() { return test::ControlsUnder(*window); }
    void ChooseLanguage(int language) {
        auto* options = static_cast<CUserOptionPage*>(Page(kUserOptionsPage));
        QTest::mouseClick(test::Named<QLabel>(*options, "languagePicture" + std::to_string(language)),
                          Qt::LeftButton);
    }
    QMap<QWidget*, Spoken> Heard() {
        QMap<QWidget*, Spoken> heard;
        for (QWidget* control : AllControls())
            heard.insert(control, {control->accessibleName(), control->accessibleDescription()});
        for (int i = 0; i < kPageCount; ++i)
            heard.insert(Page(i), {Page(i)->accessibleName(), Page(i)->accessibleDescription()});
        return heard;
    }

    test::MainWindowWorld world;
    std::unique_ptr<CMainDlg> window;
};

TEST_F(AccessibilityTest, EveryControlIsNamedAndDescribedInTheProgramsLanguage) {
    // Controls shown only for a watch of the other kind are named as well.
    ASSERT_GT(AllControls().size(), 60u);
    const QMap<QWidget*, Spoken> english = Heard();
    for (auto it = english.begin(); it != english.end(); ++it) {
        EXPECT_FALSE(it->name.isEmpty()) << Describe(*it.key());
        EXPECT_FALSE(it->description.isEmpty()) << Describe(*it.key());
        EXPECT_FALSE(it->name.contains(QLatin1Char('&')))
            << "no mnemonic marker is read out: " << Describe(*it.key());
    }
    EXPECT_EQ(Page(kReportPage)->accessibleName(), "Report");
    EXPECT_EQ(test::Named<QTabBar>(*window, "pageTabBar")->accessibleName(), "Pages");

    ChooseLanguage(kTraditionalChinese);
    const QMap<QWidget*, Spoken> chinese = Heard();
    ASSERT_EQ(chinese.size(), english.size());
    for (auto it = chinese.begin(); it != chinese.end(); ++it) {
        const Spoken& before = english.value(it.key());
        EXPECT_FALSE(it->name.isEmpty()) << Describe(*it.key());
        EXPECT_NE(it->description, before.description) << Describe(*it.key());
        if (it->name == before.name) {
            EXPECT_EQ(ShownCaption(*it.key()), it->name)
                << "only a caption shown alike in every language keeps its name: " << Describe(*it.key());
        }
    }
    EXPECT_EQ(Page(kReportPage)->accessibleName(), QString::fromUtf8("報表"));
}

TEST_F(AccessibilityTest, ControlsWithoutCaptionsAreNamedForWhatTheyShow) {
    QStringList names;
    for (QWidget* control : AllControls()) names << control->accessibleName();
    for (const char* expected : {"Activity chart", "Report rows", "Picture editor", "Progress",
                                 "Date of the reports", "Picture slot 3", "Effect of Show Time", "Clock rate",
                                 "LED from hour", "Alarm minute", "Simplified Chinese", "Height"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(expected))) << expected;
}

// Qt's calendar names its month and year menus after what they show, but its two arrows and its
// year box show no words: they are named for what they do, in the program's language.
TEST_F(AccessibilityTest, TheCalendarsArrowsAndYearBoxAreNamedInEveryLanguage) {
    const auto names = [this] {
        QStringList heard;
        for (const char* part : {"qt_calendar_prevmonth", "qt_calendar_nextmonth", "qt_calendar_yearedit"})
            heard << window->Calendar()->findChild<QWidget*>(QLatin1String(part))->accessibleName();
        return heard;
    };
    EXPECT_EQ(names(), (QStringList{"Previous month", "Next month", "Year"}));
    ChooseLanguage(kTraditionalChinese);
    EXPECT_EQ(names(), (QStringList{QString::fromUtf8("上個月"), QString::fromUtf8("下個月"),
                                    QString::fromUtf8("年份")}));
    ChooseLanguage(kSimplifiedChinese);
    EXPECT_EQ(names(), (QStringList{QString::fromUtf8("上个月"), QString::fromUtf8("下个月"),
                                    QString::fromUtf8("年份")}));
}

TEST_F(AccessibilityTest, MnemonicsAreUniqueWithinAPageAndOnlyInEnglish) {
    for (int i = 0; i < kPageCount; ++i) {
        QSet<QChar> seen;
        int marked = 0;
        for (const QString& caption : MnemonicCaptions(*Page(i))) {
            const QChar mnemonic = MnemonicOf(caption);
            if (mnemonic.isNull()) continue;
            ++marked;
            EXPECT_FALSE(seen.contains(mnemonic)) << "page " << i << ": " << caption.toStdString();
            seen.insert(mnemonic);
        }
        EXPECT_GT(marked, 0) << "page " << i;
    }
    EXPECT_EQ(WithoutMnemonic(MnemonicCaptions(*Page(kSummaryPage)).front()), "Reset/Zero")
        << "the caption reads as before";

    ChooseLanguage(kSimplifiedChinese);
    for (int i = 0; i < kPageCount; ++i)
        for (const QString& caption : MnemonicCaptions(*Page(i)))
            EXPECT_TRUE(MnemonicOf(caption).isNull()) << "page " << i << ": " << caption.toStdString();
}

TEST_F(AccessibilityTest, ALabelsMnemonicTakesTheKeyboardToItsBox) {
    window->Pages().SwitchTo(kPersonalInformationPage);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), kiro::test::TimeLimitMs(std::chrono::seconds(5))));
    QLabel* weightLabel = nullptr;
    for (QLabel* label : Page(kPersonalInformationPage)->findChildren<QLabel*>())
        if (WithoutMnemonic(label->text()).startsWith("Weight")) weightLabel = label;
    ASSERT_NE(weightLabel, nullptr);
    const QChar mnemonic = MnemonicOf(weightLabel->text());
    ASSERT_FALSE(mnemonic.isNull());
    QTest::keyClick(window.get(), mnemonic.toLatin1(), Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), weightLabel->buddy());
}

TEST(DialogAccessibilityTest, TheDialogsOfThePagesNameTheirControls) {
    test::WatchPageWorld world;
    world.app.Config().SetLanguage(kSimplifiedChinese);
    CSleepDlg sleep(world.Context(), 2014, 5, 20);
    CBatteryCurveDlg battery(world.texts, std::array<uint8_t, 512>{});
    FactoryAnimation animation;
    CFactoryDlg factory(world.Context(), world.Ports(), animation);
    QStringList names;
    for (QDialog* dialog : std::initializer_list<QDialog*>{&sleep, &battery, &factory}) {
        for (QWidget* control : test::ControlsUnder(*dialog)) {
            EXPECT_FALSE(control->accessibleName().isEmpty()) << Describe(*control);
            EXPECT_FALSE(control->accessibleDescription().isEmpty()) << Describe(*control);
            names << control->accessibleName();
        }
    }
    for (const char* expected : {"前一天", "后一天", "结束时间延后", "睡眠图表", "电量曲线", "已完成的手表"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(expected))) << expected;
}

}  // namespace
}  // namespace kiro::gui
