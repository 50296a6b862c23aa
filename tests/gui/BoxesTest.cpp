#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "GuiTestSupport.h"
#include "PageWorld.h"
#include "gui/boxes/CAskBox.h"
#include "gui/boxes/CAwardBox.h"
#include "gui/mainwindow/CPageTab.h"
#include "gui/mainwindow/GuiHost.h"
#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {

// Runs the box modally and lets `answer` act on it once it is shown.
int RunWith(QDialog& box, std::function<void(QDialog&)> answer) {
    QTimer::singleShot(0, &box, [&box, answer] { answer(box); });
    return box.exec();
}

QPushButton* Button(QDialog& box, const QString& text) {
    for (QPushButton* button : box.findChildren<QPushButton*>()) {
        if (button->text() == text) return button;
    }
    return nullptr;
}

QImage Picture(const QDialog& box) {
    return box.findChild<QLabel*>("picture")->pixmap().toImage();
}

class BoxesTest : public test::GuiTest {
  protected:
    test::PageWorld world;
};

TEST_F(BoxesTest, AskBoxAnswers) {
    struct Case {
        const char* name;
        std::function<void(QDialog&)> answer;
        int result;
    };
    const Case cases[] = {
        {"Yes button", [](QDialog& box) { Button(box, "&Yes")->click(); }, CAskBox::kYes},
        {"No button", [](QDialog& box) { Button(box, "&No")->click(); }, CAskBox::kNo},
        {"Escape", [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); }, CAskBox::kClosed},
        {"close box", [](QDialog& box) { box.close(); }, CAskBox::kClosed},
        {"Enter takes the default Yes", [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Return); },
         CAskBox::kYes},
    };
    for (const Case& c : cases) {
        CAskBox box;
        box.SetCaption("Data Collection");
        box.SetMessage("Find Kiro USB Disk (Disk-E), Start to collect data ?");
        EXPECT_EQ(RunWith(box, c.answer), c.result) << c.name;
    }
}

// A question whose Yes destroys data: Enter answers No, only a deliberate Yes deletes.
TEST_F(BoxesTest, ADestructiveQuestionTakesNoOnEnterAndYesOnlyWhenChosen) {
    QWidget window;
    QLabel status(&window), disk(&window);
    CPageTab tabs(&window);
    GuiHost host(world.texts, &window, &status, &disk, tabs);
    const auto answer = [&host](std::function<void(QMessageBox&)> act) {
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            act(*box);
        });
        return host.AskQuestion("Report", "Confirm DELETE");
    };
    EXPECT_FALSE(answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }));
    EXPECT_FALSE(answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }));
    EXPECT_TRUE(answer([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); }));
}

TEST_F(BoxesTest, AskBoxStaysOnTopWithItsTextsAndPicture) {
    CAskBox box;
    box.SetCaption("Upgrade ...");
    box.SetMessage("Find a NEW version, start upgrade (Yes/No) ?");
    EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(box.windowTitle(), "Upgrade ...");
    EXPECT_EQ(box.Message(), "Find a NEW version, start upgrade (Yes/No) ?");
    EXPECT_EQ(Picture(box), LoadPicture(pictures::kAskBox, QSize(66, 64)).toImage());
}

TEST_F(BoxesTest, AwardBoxShowsRosetteForChoiceTwoElseTrophy) {
    const QImage trophy = LoadPicture(pictures::kTrophy, QSize(135, 119)).toImage();
    const QImage rosette = LoadPicture(pictures::kRosette, QSize(114, 133)).toImage();
    ASSERT_NE(trophy, rosette);
    const std::pair<int, QImage> cases[] = {{2, rosette}, {1, trophy}, {0, trophy}, {3, trophy}};
    for (const auto& [choice, picture] : cases) {
        CAwardBox box(world.texts);
        box.SetPictureChoice(choice);
        EXPECT_EQ(Picture(box), picture) << choice;
    }
}

TEST_F(BoxesTest, AwardBoxClosesWithOk) {
    CAwardBox box(world.texts);
    EXPECT_EQ(box.windowTitle(), "Congraturation !!!") << "the box sets its own caption";
    box.SetMessage(", You complete the mission-B");
    box.SetPictureChoice(CAwardBox::kRosette);
    EXPECT_EQ(RunWith(box, [](QDialog& shown) { Button(shown, "OK")->click(); }), CAwardBox::kOk);
}

TEST_F(BoxesTest, PicturesAreCompiledInAtTheirDrawnSizes) {
    EXPECT_EQ(NaturalPictureSize(pictures::kAskBox), QSize(66, 64));
    EXPECT_EQ(NaturalPictureSize(pictures::kTrophy), QSize(135, 119));
    EXPECT_EQ(NaturalPictureSize(pictures::kRosette), QSize(114, 133));
    EXPECT_EQ(NaturalPictureSize(pictures::kWatch), QSize(264, 236));
    for (const char* square : {pictures::kWalker, pictures::kTarget, pictures::kPerson})
        EXPECT_EQ(NaturalPictureSize(square), QSize(150, 150)) << square;
    EXPECT_EQ(QImage(pictures::kDotStrip).size(), QSize(7 * 16, 16));
}

}  // namespace
}  // namespace kiro::gui
