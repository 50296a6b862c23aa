// The mission page through its widgets: starting and stopping, the bar, and the congratulation.
#include "gui/pages/CMissionPage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "../PageWorld.h"
#include "gui/boxes/CAwardBox.h"
#include "gui/controls/CColorStatic.h"
#include "gui/controls/CPercentBar.h"
#include "gui/mainwindow/CPageTab.h"
#include "gui/mainwindow/GuiHost.h"
#include "gui/resources/Pictures.h"

namespace kiro::gui {
namespace {

// The controls of one mission, by the names the page gives them with the mission's letter.
struct Mission {
    Mission(const CMissionPage& page, const std::string& letter)
        : group(test::Named<QGroupBox>(page, "missionGroup" + letter)),
          distance(test::Named<QRadioButton>(page, "distanceRadio" + letter)),
          targetLabel(test::Named<QLabel>(page, "targetLabel" + letter)),
          target(test::Named<QLineEdit>(page, "targetEdit" + letter)),
          start(test::Named<QPushButton>(page, "startButton" + letter)),
          stop(test::Named<QPushButton>(page, "stopButton" + letter)),
          bar(test::Named<CPercentBar>(page, "progressBar" + letter)),
          status(test::Named<CColorStatic>(page, "statusLabel" + letter)) {}
    QGroupBox* group;
    QRadioButton* distance;
    QLabel* targetLabel;
    QLineEdit* target;
    QPushButton* start;
    QPushButton* stop;
    CPercentBar* bar;
    CColorStatic* status;
};

class MissionPageTest : public ::testing::Test {
  protected:
    void Run(MissionId id, int kind, double target, int steps) {
        MissionSettings mission;
        mission.mode = kind;
        mission.status = 1;
        mission.goes = target;
        mission.curSteps = steps;
        mission.startTime = world.clock.TickCount();
        world.app.Config().SetMission(id, mission);
        world.app.Config().SetMissionProgress(id, steps, 0);
    }

    test::PageWorld world;
};

TEST_F(MissionPageTest, ATargetBelowOneHundredthDoesNotStartButANegativeOneDoes) {
    CMissionPage page(world.Context());
    const Mission a(page, "A");
    EXPECT_EQ(a.group->title(), "Mission/Target-A");
    EXPECT_EQ(a.target->text(), "0.000");
    EXPECT_FALSE(a.bar->isVisibleTo(&page));
    a.target->setText("0.005");
    a.start->click();
    EXPECT_EQ(world.app.Config().Values().missionA.status, 0);
    EXPECT_TRUE(a.start->isEnabled());

    a.distance->click();
    EXPECT_EQ(a.targetLabel->text(), "Target Distance(Km)");
    a.target->setText("-5");
    a.start->click();
    const MissionSettings& started = world.app.Config().Values().missionA;
    EXPECT_EQ(started.status, 1);
    EXPECT_EQ(started.mode, 1);
    EXPECT_EQ(started.goes, -5.0);
    EXPECT_FALSE(a.start->isEnabled());
    EXPECT_FALSE(a.target->isEnabled());
    EXPECT_TRUE(a.stop->isEnabled());
    EXPECT_TRUE(a.bar->isVisibleTo(&page));

    a.stop->click();
    EXPECT_EQ(world.app.Config().File().ReadString("Mission", "A_CurSteps", "", 100), "0");
    EXPECT_EQ(world.app.Config().Values().missionA.goes, 0.0);
}

TEST_F(MissionPageTest, TheBarShowsThePercentageAndTheRunningTimeFollowsTheTimer) {
    Run(MissionId::A, 0, 10000, 2500);
    CMissionPage page(world.Context());
    const Mission a(page, "A");
    QTimer* timer = test::Named<QTimer>(page, "missionTimer");
    EXPECT_EQ(a.bar->Pos(), 25);
    EXPECT_EQ(a.bar->Text(), "25 % Compeleted");
    EXPECT_EQ(a.status->text(), "Running 0 Days 0 Hours 0 Minutes");
    EXPECT_EQ(a.status->palette().color(QPalette::WindowText), QColor(100, 100, 200));
    world.clock.Advance((26u * 60 + 3) * 60 * 1000);
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    EXPECT_EQ(a.status->text(), "Running 1 Days 2 Hours 3 Minutes");
    EXPECT_EQ(timer->interval(), 30000);
    EXPECT_TRUE(world.host.Lines("award: ").empty()) << "25 % is no award";
}

TEST_F(MissionPageTest, AMissionPastItsTargetIsCongratulatedAtEveryRefreshUntilStopped) {
    Run(MissionId::B, 1, 2, 3000);  // 70 cm x 3000 steps over 2 km: 105 %
    CMissionPage page(world.Context());
    const Mission b(page, "B");
    EXPECT_EQ(b.bar->Pos(), 100);
    EXPECT_EQ(world.host.Lines("award: "),
              std::vector<std::string>{"award: , You complete the mission-B (rosette)"});
    page.OnLanguageChanged();
    EXPECT_EQ(world.host.Lines("award: ").size(), 2u) << "again at the next refresh";
    b.stop->click();
    page.OnLanguageChanged();
    EXPECT_EQ(world.host.Lines("award: ").size(), 2u) << "not once stopped";
}

// The page and the window's own award box together: mission B gets the rosette.
TEST_F(MissionPageTest, TheWindowShowsMissionBsAwardWithTheRosette) {
    Run(MissionId::B, 0, 100, 500);
    QWidget window;
    QLabel status(&window), disk(&window);
    CPageTab tabs(&window);
    GuiHost host(world.texts, &window, &status, &disk, tabs);
    QImage shown;
    QString caption;
    QTimer::singleShot(0, &window, [&] {
        auto* box = qobject_cast<CAwardBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        shown = box->findChild<QLabel*>("picture")->pixmap().toImage();
        box->accept();
    });
    CMissionPage page(PageContext{world.app, world.texts, host, world.keyboard});
    EXPECT_EQ(caption, "Congraturation !!!");
    EXPECT_EQ(shown, LoadPicture(pictures::kRosette, QSize(114, 133)).toImage());
}

}  // namespace
}  // namespace kiro::gui
