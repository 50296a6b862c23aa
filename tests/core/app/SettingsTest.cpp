#include "core/app/Settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "core/app/App.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

class SettingsTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    sim::FakeClock clock{LocalTime{}, 777000};

    sim::FixedLocale locale;
    NativeFileSystem files;

    std::unique_ptr<App> MakeApp(const std::string& localeName = "ENU") {
        locale = sim::FixedLocale(localeName);
        auto app = std::make_unique<App>(folder.Path(), clock, locale, files);
        app->LoadSettings();
        return app;
    }
};

TEST_F(SettingsTest, EveryDefaultWithoutASettingsFile) {
    auto app = MakeApp();
    const SettingsValues& v = app->Config().Values();
    EXPECT_EQ(v.language, 0);
    EXPECT_EQ(v.enableUpgrade, 1);
    EXPECT_EQ(v.autoConfirm, 0);
    EXPECT_EQ(v.displayMode, 0);
    EXPECT_EQ(v.totalSteps, 0);
    EXPECT_EQ(v.totalPeriod, 0);
    EXPECT_EQ(v.birthday, 20000201);
    EXPECT_EQ(v.height, 0);
    EXPECT_EQ(v.weight, 0);
    EXPECT_EQ(v.stepSize, 0);
    EXPECT_EQ(v.slightMoving, 5);
    for (MissionId id : {MissionId::A, MissionId::B}) {
        EXPECT_EQ(v.Mission(id).goes, 0.0);
        EXPECT_EQ(v.Mission(id).status, 0);
        EXPECT_EQ(v.Mission(id).startTime, 777000u) << "a missing start time is the tick count at reading";
    }
    const SleepWindowHours window = app->Config().ReadSleepWindow();
    EXPECT_EQ(window.startHour, 20);
    EXPECT_EQ(window.endHour, 33);
    EXPECT_EQ(app->Config().ReadReportMode(), 0);
    EXPECT_FALSE(std::ifstream(folder.File("KiroMeter2.INI")).good()) << "loading writes nothing";
}

TEST_F(SettingsTest, NonZeroFlagsReadAsOne) {
    folder.Write("KiroMeter2.INI", "[Advance]\nEnableUpgrade=7\nAutoConfirm=3\n");
    auto app = MakeApp();
    EXPECT_EQ(app->Config().Values().enableUpgrade, 1);
    EXPECT_EQ(app->Config().Values().autoConfirm, 1);
}

TEST_F(SettingsTest, LanguageComesFromTheLocaleUnlessTheFileSaysOtherwise) {
    EXPECT_EQ(MakeApp("CHS")->CurrentLanguage(), 2);
    EXPECT_EQ(MakeApp("CHT")->CurrentLanguage(), 1);
    EXPECT_EQ(MakeApp("JPN")->CurrentLanguage(), 0);
    EXPECT_EQ(MakeApp("")->CurrentLanguage(), 0);
    folder.Write("KiroMeter2.INI", "[Advance]\nLanguage=0\n");
    EXPECT_EQ(MakeApp("CHS")->CurrentLanguage(), 0);
    folder.Write("KiroMeter2.INI", "[Advance]\nLanguage=1\n");
    EXPECT_EQ(MakeApp("ENU")->CurrentLanguage(), 1);
}

TEST_F(SettingsTest, ALanguageOutsideOneAndTwoShowsEnglish) {
    folder.Write("KiroMeter2.INI", "[Advance]\nLanguage=5\n");
    auto app = MakeApp("CHT");
    EXPECT_EQ(app->CurrentLanguage(), 5);
    EXPECT_STREQ(app->GetLangText(TextId::Report), "Report");
}

TEST_F(SettingsTest, ChangesAreWrittenAtOnceAndReadBackNextStart) {
    {
        auto app = MakeApp();
        app->Config().SetTotals(5000, 1501);
        app->Config().SetPersonal(19800315, 172, 65, 70);
        app->Config().SetSlightMoving(12);
        app->Config().SetLanguage(2);
        MissionSettings mission;
        mission.mode = 1;
        mission.status = 1;
        mission.goes = 2.5;
        mission.startTime = 4000000000u;
        app->Config().SetMission(MissionId::B, mission);
        app->Config().SetMissionProgress(MissionId::B, 300, 12);
    }
    auto app = MakeApp();
    const SettingsValues& v = app->Config().Values();
    EXPECT_EQ(v.totalSteps, 5000);
    EXPECT_EQ(v.totalPeriod, 1501);
    EXPECT_EQ(v.height, 172);
    EXPECT_EQ(v.slightMoving, 12);
    EXPECT_EQ(v.language, 2);
    EXPECT_EQ(v.missionB.goes, 2.5);
    EXPECT_EQ(v.missionB.startTime, 4000000000u) << "start times above 2^31 survive the %d text";
    EXPECT_EQ(v.missionB.curSteps, 300);
    EXPECT_EQ(v.missionB.curPeriodM, 12);
    EXPECT_NE(folder.Read("KiroMeter2.INI").find("B_Goes=2.500000"), std::string::npos) << "targets as %f";
}

// A crash at any moment of a stop leaves the mission either running with its progress or stopped
// at zero, never running with its progress gone.
TEST_F(SettingsTest, AMissionStopsInOneWrite) {
    {
        auto app = MakeApp();
        MissionSettings running;
        running.status = 1;
        running.goes = 100;
        app->Config().SetMission(MissionId::A, running);
        app->Config().SetMissionProgress(MissionId::A, 40, 7);
    }
    const std::string before = folder.Read("KiroMeter2.INI");
    for (int change = 1;; ++change) {
        test::FaultyFileSystem crashing(files);
        crashing.CrashAt(change);
        {
            App app(folder.Path(), clock, locale, crashing);
            app.LoadSettings();
            app.Config().StopMission(MissionId::A, 1);
        }
        auto next = MakeApp();
        const MissionSettings& a = next->Config().Values().missionA;
        if (a.status != 0) {
            EXPECT_EQ(a.curSteps, 40) << "a running mission keeps its steps, crash at change " << change;
            EXPECT_EQ(a.curPeriodM, 7) << change;
            continue;
        }
        EXPECT_EQ(a.curSteps, 0);
        EXPECT_EQ(a.goes, 0);
        EXPECT_EQ(a.mode, 1);
        break;
    }
    EXPECT_NE(folder.Read("KiroMeter2.INI"), before);
}

TEST_F(SettingsTest, DisplayModeOfADeviceWatchStaysInMemory) {
    auto app = MakeApp();
    app->Config().SetDisplayModeInMemory(1);
    EXPECT_EQ(app->Config().Values().displayMode, 1);
    EXPECT_FALSE(std::ifstream(folder.File("KiroMeter2.INI")).good());
}

TEST_F(SettingsTest, DescribeListsEveryKeyInTableOrder) {
    auto app = MakeApp();
    const auto described = app->Config().Describe();
    ASSERT_GE(described.size(), 30u);
    EXPECT_EQ(described.front().first, "Advance.Language");
    EXPECT_EQ(described[4].first, "Advance.UpdateURL");
    EXPECT_EQ(described[11].first, "Mission.A_Mode");
    EXPECT_EQ(described[13].second, "0.000000");
    EXPECT_EQ(described.back().first, "Update.Server");
}

}  // namespace
}  // namespace kiro
